// GetFullPathNameA on POSIX: a path made full as the file system sees it. The folder of a path
// that exists is resolved by the system (realpath), so "link/../m.pmx" is the file `cat` reads,
// and names are spelled as stored (PACK/m.pmx arrives as Pack/m.pmx, and a file picked beside
// it is stored relative to the same spelling). Any other path is resolved component by
// component over the inside form (Shift-JIS, backslashes), as Windows does it.
#include <limits.h>
#include <stdlib.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "text/inside_text.h"

namespace platform {
namespace {

// The current folder in inside form (never longer than its outside form) and a path below it.
constexpr std::size_t kResolvedBytes = 2 * posix::kOutsidePathBytes + 2;
char gFolder[kResolvedBytes];
char gResolved[kResolvedBytes];

bool isSeparatorAt(const char* text, std::size_t at) { return text[at] == '\\'; }

// Drops the last component of gResolved (`*used` bytes, "\" first); the root stays. A trail
// byte 0x5C is no separator, so the last one is found from the start.
void dropLastComponent(std::size_t* used) {
    std::size_t last = 0;
    for (std::size_t i = 0; i < *used; i += insideCharacterBytes(gResolved + i))
        if (isSeparatorAt(gResolved, i)) last = i;
    *used = last > 0 ? last : 1;
}

// Adds the components of `text` to gResolved: empty ones and "." go, ".." drops the one before.
// false when the result outgrows the buffer.
bool addComponents(const char* text, std::size_t* used) {
    std::size_t i = 0;
    while (text[i] != '\0') {
        const std::size_t start = i;
        while (text[i] != '\0' && !isSeparatorAt(text, i)) i += insideCharacterBytes(text + i);
        const std::size_t length = i - start;
        if (text[i] != '\0') ++i;
        if (length == 0 || (length == 1 && text[start] == '.')) continue;
        if (length == 2 && text[start] == '.' && text[start + 1] == '.') {
            dropLastComponent(used);
            continue;
        }
        // A separator, the component and the terminator.
        if (length + 2 > kResolvedBytes - *used) return false;
        if (*used > 1) gResolved[(*used)++] = '\\';
        std::memcpy(gResolved + *used, text + start, length);
        *used += length;
    }
    return true;
}

// The path ends in a separator that is no trail byte.
bool endsInSeparator(const char* text) {
    bool separator = false;
    for (std::size_t i = 0; text[i] != '\0'; i += insideCharacterBytes(text + i))
        separator = isSeparatorAt(text, i);
    return separator;
}

// The path's folder resolved by the file system, and its last name as stored there, into
// gResolved: 0 and the length in *used, or -1 when the folder does not exist (or the path names
// a folder: "", "." or ".." last).
int resolveOnDisk(const char* path, std::size_t* used) {
    static char outside[posix::kOutsidePathBytes];
    static char real[PATH_MAX + 1];
    if (posix::pathToOutside(outside, sizeof outside, path) != 0) return -1;
    char* slash = std::strrchr(outside, '/');
    const char* name = slash != nullptr ? slash + 1 : outside;
    if (name[0] == '\0' || std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) return -1;
    char folder[posix::kOutsidePathBytes];
    if (slash == nullptr) {
        std::memcpy(folder, ".", 2);
    } else {
        const std::size_t length = slash == outside ? 1 : static_cast<std::size_t>(slash - outside);
        std::memcpy(folder, outside, length);
        folder[length] = '\0';
    }
    if (posix::resolveNoCase(folder, sizeof folder, false) != 0 || realpath(folder, real) == nullptr)
        return -1;
    std::size_t length = std::strlen(real);
    const std::size_t nameLength = std::strlen(name);
    if (nameLength + 2 > sizeof real - length) return -1;
    if (length > 1) real[length++] = '/';
    std::memcpy(real + length, name, nameLength + 1);
    // The name as stored when a file of it exists in another case; as given otherwise.
    if (posix::resolveNoCase(real, sizeof real, true) != 0 ||
        posix::textToInside(gResolved, sizeof gResolved, real, false) != 0)
        return -1;
    *used = std::strlen(gResolved);
    return 0;
}

} // namespace

std::uint32_t fullPathName(const char* path, std::uint32_t capacity, char* out) {
    if (path == nullptr || path[0] == '\0' || out == nullptr || capacity == 0) return 0;
    out[0] = '\0';
    std::size_t used = 0;
    if (resolveOnDisk(path, &used) == 0) {
        if (used >= capacity) return static_cast<std::uint32_t>(used + 1);
        std::memcpy(out, gResolved, used + 1);
        return static_cast<std::uint32_t>(used);
    }
    gResolved[0] = '\\'; // a leading "/" makes a POSIX path full
    used = 1;
    if (path[0] != '\\') {
        if (currentDirectory(static_cast<std::uint32_t>(sizeof gFolder), gFolder) == 0) return 0;
        if (!addComponents(gFolder, &used)) return UINT32_MAX;
    }
    if (!addComponents(path, &used)) return UINT32_MAX;
    // A folder named with its separator keeps it, as on Windows (and then opens as no file).
    if (used > 1 && endsInSeparator(path)) {
        if (used + 1 >= kResolvedBytes) return UINT32_MAX;
        gResolved[used++] = '\\';
    }
    gResolved[used] = '\0';
    if (used >= capacity) return static_cast<std::uint32_t>(used + 1);
    std::memcpy(out, gResolved, used + 1);
    return static_cast<std::uint32_t>(used);
}

} // namespace platform
