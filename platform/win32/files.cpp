// Win32 files: the C runtime opens ANSI paths (an escape of the inside form by its code page 932
// code), a file read being taken only when its handle is a disk file; stamps and identities are
// the system's own calls.
// Stretches of files are copied by the runtime's reads and writes.
#include <windows.h>
#include <io.h>

#include <cstdio>

#include "platform/platform.h"
#include "platform/win32/held_model.h"
#include "text/inside_text.h"

namespace platform {
namespace {

// The volume and file index of an existing file or folder. true when known.
bool identityOf(const char* path, BY_HANDLE_FILE_INFORMATION* info) {
    HANDLE handle = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    bool known = GetFileInformationByHandle(handle, info) != 0;
    CloseHandle(handle);
    return known;
}

} // namespace

std::FILE* openFile(const char* path, const char* mode) {
    if (path == nullptr || mode == nullptr) return nullptr;
    // A texture path read from a model may hold escapes: the ANSI call gets each character's
    // code, and a path with a character the code page cannot spell names no file.
    static char ansi[MAX_PATH];
    if (insideToCodePageName(ansi, sizeof ansi, path) != 0) return nullptr;
    std::FILE* file = std::fopen(ansi, mode);
    // A device (CON, NUL, COM1) or a pipe opens as a file does; reading it would wait or
    // read nothing that is a model or a texture.
    if (file != nullptr && mode[0] == 'r' && GetFileType(win32::handleOf(file)) != FILE_TYPE_DISK) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

int fileStamp(std::FILE* file, FileStamp* stamp) {
    if (file == nullptr || stamp == nullptr) return -1;
    HANDLE handle = win32::handleOf(file);
    LARGE_INTEGER size;
    FILETIME written;
    if (!GetFileSizeEx(handle, &size) || !GetFileTime(handle, nullptr, nullptr, &written)) return -1;
    stamp->size = static_cast<std::int64_t>(size.QuadPart);
    stamp->modified = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(written.dwHighDateTime) << 32) | written.dwLowDateTime);
    return 0;
}

bool sameFile(const char* a, const char* b) {
    if (a == nullptr || b == nullptr) return false;
    BY_HANDLE_FILE_INFORMATION infoA, infoB;
    const bool existsA = identityOf(a, &infoA);
    const bool existsB = identityOf(b, &infoB);
    if (existsA && existsB)
        return infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber &&
               infoA.nFileIndexHigh == infoB.nFileIndexHigh &&
               infoA.nFileIndexLow == infoB.nFileIndexLow;
    if (existsA || existsB) return false;
    char fullA[MAX_PATH];
    char fullB[MAX_PATH];
    DWORD lengthA = GetFullPathNameA(a, MAX_PATH, fullA, nullptr);
    DWORD lengthB = GetFullPathNameA(b, MAX_PATH, fullB, nullptr);
    if (lengthA == 0 || lengthA >= MAX_PATH || lengthB == 0 || lengthB >= MAX_PATH) return false;
    return lstrcmpiA(fullA, fullB) == 0; // names match without case here
}

// The copy between the streams reads and writes through their large buffers instead.
std::int32_t copyFileBytes(std::FILE*, std::int32_t, std::FILE*, std::int32_t) { return -1; }

} // namespace platform
