// Win32 files: the C runtime opens wide paths (the inside form converted with the project's own
// tables, so a name of any script opens on a system of any code page), a file read being taken
// only when its handle is a disk file; stamps and identities are the system's own calls.
// Stretches of files are copied by the runtime's reads and writes.
#include <windows.h>
#include <io.h>

#include <cstdio>

#include "platform/platform.h"
#include "platform/win32/held_model.h"
#include "platform/win32/wide_names.h"

namespace platform {
namespace {

// The volume and file index of an existing file or folder. true when known.
bool identityOf(const char* path, BY_HANDLE_FILE_INFORMATION* info) {
    static wchar_t wide[win32::kWidePathUnits];
    if (win32::toWide(path, wide, win32::kWidePathUnits) != 0) return false;
    HANDLE handle = CreateFileW(wide, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    bool known = GetFileInformationByHandle(handle, info) != 0;
    CloseHandle(handle);
    return known;
}

} // namespace

std::FILE* openFile(const char* path, const char* mode) {
    if (path == nullptr || mode == nullptr) return nullptr;
    // A path holding what no name can hold names no file.
    static wchar_t wide[win32::kWidePathUnits];
    wchar_t wideMode[8];
    std::size_t m = 0;
    for (; mode[m] != '\0' && m + 1 < sizeof wideMode / sizeof wideMode[0]; ++m) wideMode[m] = static_cast<wchar_t>(mode[m]);
    wideMode[m] = L'\0';
    if (win32::toWide(path, wide, win32::kWidePathUnits) != 0) return nullptr;
    std::FILE* file = _wfopen(wide, wideMode);
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
    static wchar_t wideA[win32::kWidePathUnits], wideB[win32::kWidePathUnits];
    static wchar_t fullA[win32::kWidePathUnits], fullB[win32::kWidePathUnits];
    const DWORD units = static_cast<DWORD>(win32::kWidePathUnits);
    if (win32::toWide(a, wideA, units) != 0 || win32::toWide(b, wideB, units) != 0) return false;
    DWORD lengthA = GetFullPathNameW(wideA, units, fullA, nullptr);
    DWORD lengthB = GetFullPathNameW(wideB, units, fullB, nullptr);
    if (lengthA == 0 || lengthA >= units || lengthB == 0 || lengthB >= units) return false;
    return lstrcmpiW(fullA, fullB) == 0; // names match without case here
}

// The copy between the streams reads and writes through their large buffers instead.
std::int32_t copyFileBytes(std::FILE*, std::int32_t, std::FILE*, std::int32_t) { return -1; }

} // namespace platform
