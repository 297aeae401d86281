// Win32 files: the C runtime opens ANSI paths as they are; replace and delete are the
// system's own calls.
#include <windows.h>

#include <cstdio>

#include "platform/platform.h"

namespace platform {

std::FILE* openFile(const char* path, const char* mode) {
    if (path == nullptr || mode == nullptr) return nullptr;
    return std::fopen(path, mode);
}

int renameReplace(const char* from, const char* to) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) ? 0 : -1;
}

int removeFile(const char* path) { return DeleteFileA(path) ? 0 : -1; }

} // namespace platform
