// Paths on the console as a POSIX system writes them: inside, a separator is "\"; a user
// pastes what the program shows into a shell, where only "/" separates.
#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "text/inside_text.h"

namespace platform {
namespace {

// An inside path has at most as many bytes as its outside form (kOutsidePathBytes).
char gShown[posix::kOutsidePathBytes];

} // namespace

const char* shownPath(const char* path) {
    std::size_t used = 0;
    for (std::size_t i = 0; path[i] != '\0';) {
        const std::size_t bytes = insideCharacterBytes(path + i);
        if (bytes > sizeof gShown - 1 - used) return path;
        // A trail byte 0x5C belongs to its character and is copied with it.
        for (std::size_t b = 0; b < bytes; ++b) gShown[used + b] = path[i + b];
        if (bytes == 1 && path[i] == '\\') gShown[used] = '/';
        used += bytes;
        i += bytes;
    }
    gShown[used] = '\0';
    return gShown;
}

} // namespace platform
