// A target path relative to a base folder ("..\" per level climbed), as the texture list
// stores it; paths on different drives or network shares are kept whole.
#include <cstring>

#include "io/path.h"
#include "text/inside_text.h"

namespace {

bool startsWithDrive(const char* path) {
    char c = path[0];
    return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && path[1] == ':';
}

bool isNetworkPath(const char* path) { return path[0] == '\\' && path[1] == '\\'; }

// Backslashes of the first `length` bytes of `from` that are characters of their own.
int countSingleBackslashes(const char* from, std::size_t length) {
    int count = 0;
    for (std::size_t i = 0; i < length && from[i] != '\0'; i += insideCharacterBytes(from + i)) {
        if (from[i] == '\\') ++count;
    }
    return count;
}

void copyWhole(char* out, const char* target) { std::memmove(out, target, std::strlen(target) + 1); }

// Backslashes of "\\server\share\": a network path cannot climb above its share.
constexpr int kShareRootBackslashes = 4;

} // namespace

int relativePath(char* out, const char* target, const char* baseFolder) {
    if ((isNetworkPath(target) && startsWithDrive(baseFolder)) ||
        (isNetworkPath(baseFolder) && startsWithDrive(target))) {
        copyWhole(out, target);
        return 0;
    }
    // Drive letters are compared exactly: c: and C: count as different drives.
    if (target[0] != '\0' && baseFolder[0] != '\0' && target[1] == ':' && baseFolder[1] == ':' &&
        target[0] != baseFolder[0]) {
        copyWhole(out, target);
        return 0;
    }

    // The common part ends after the last separator both share; a character counts as shared
    // when all of its bytes are.
    std::size_t common = 0;
    for (std::size_t i = 0; target[i] != '\0';) {
        const std::size_t width = insideCharacterBytes(target + i);
        if (std::strncmp(target + i, baseFolder + i, width) != 0) break;
        if (target[i] == '\\' || target[i] == ':') common = i + 1;
        i += width;
    }

    // Two network paths share nothing unless they share the server and the share: "..\"
    // never leads from one share to another.
    if (isNetworkPath(target) && isNetworkPath(baseFolder) &&
        countSingleBackslashes(target, common) < kShareRootBackslashes) {
        copyWhole(out, target);
        return 0;
    }

    std::size_t used = 0;
    for (int level = countSingleBackslashes(baseFolder + common, std::strlen(baseFolder + common));
         level > 0; --level) {
        out[used++] = '.';
        out[used++] = '.';
        out[used++] = '\\';
    }
    std::strcpy(out + used, target + common);
    return 0;
}
