// Win32 files: the C runtime opens ANSI paths as they are; replace and delete are the
// system's own calls. Stretches of files are copied by the runtime's reads and writes.
#include <windows.h>

#include <cstdio>

#include "platform/platform.h"

namespace platform {

std::FILE* openFile(const char* path, const char* mode) {
    if (path == nullptr || mode == nullptr) return nullptr;
    return std::fopen(path, mode);
}

// The copy between the streams reads and writes through their large buffers instead.
std::int32_t copyFileBytes(std::FILE*, std::int32_t, std::FILE*, std::int32_t) { return -1; }

int renameReplace(const char* from, const char* to) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) ? 0 : -1;
}

int removeFile(const char* path) { return DeleteFileA(path) ? 0 : -1; }

} // namespace platform
