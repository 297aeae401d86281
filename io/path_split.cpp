// Splitting a Shift-JIS path into folder, file name, name without extension and extension.
// Every scan steps over whole characters, so a trail byte equal to a backslash or a dot is
// never taken for one.
#include <cstring>

#include "io/path.h"
#include "text/inside_text.h"

namespace {

// Index of the last single-byte character of `path` equal to `a` or `b`, or -1.
long lastSingleOf(const char* path, char a, char b) {
    long last = -1;
    for (long i = 0; path[i] != '\0'; i += static_cast<long>(insideCharacterBytes(path + i))) {
        if (path[i] == a || path[i] == b) last = i;
    }
    return last;
}

// `count` bytes from `from` and a terminator; memmove, so `out` may be the path itself.
void copyPart(char* out, const char* from, std::size_t count) {
    std::memmove(out, from, count);
    out[count] = '\0';
}

} // namespace

int folderOf(char* out, const char* path) {
    long last = lastSingleOf(path, '\\', '\\');
    copyPart(out, path, static_cast<std::size_t>(last + 1));
    return 0;
}

int fileNameOf(char* out, const char* path) {
    const char* name = path + (lastSingleOf(path, '\\', '/') + 1);
    copyPart(out, name, std::strlen(name));
    return 0;
}

int stripExtension(char* out, const char* path) {
    long dot = lastSingleOf(path, '.', '.');
    copyPart(out, path, dot < 0 ? std::strlen(path) : static_cast<std::size_t>(dot));
    return 0;
}

int extensionOf(char* out, const char* path) {
    long dot = lastSingleOf(path, '.', '.');
    if (dot < 0) {
        out[0] = '\0';
        return 0;
    }
    copyPart(out, path + dot, std::strlen(path + dot));
    return -1;
}
