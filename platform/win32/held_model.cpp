// The model's folder and file on Windows, held from the read to the save: both handles are
// opened without FILE_SHARE_DELETE, so while they are held no one can rename or remove the
// folder, nor rename, remove or replace the model (nor write it, where no one had it open for
// writing already). The copy is then made by path in that folder, and the model read again
// through its own handle, proven unchanged by its volume, file index, size and last-write time.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstring>
#include <cwchar>

#include "platform/platform.h"
#include "platform/win32/held_model.h"
#include "platform/win32/wide_names.h"

namespace platform {
namespace {

wchar_t gFolderPath[win32::kWidePathUnits]; // ending in its separator; empty for the current folder
HANDLE gFolder = INVALID_HANDLE_VALUE;
HANDLE gModel = INVALID_HANDLE_VALUE;
BY_HANDLE_FILE_INFORMATION gRead; // the model as it was read

void closeHeld(HANDLE* handle) {
    if (*handle != INVALID_HANDLE_VALUE) CloseHandle(*handle);
    *handle = INVALID_HANDLE_VALUE;
}

void releaseModel() {
    closeHeld(&gModel);
    closeHeld(&gFolder);
}

bool sameAsRead(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION now;
    return GetFileInformationByHandle(handle, &now) &&
           now.dwVolumeSerialNumber == gRead.dwVolumeSerialNumber &&
           now.nFileIndexHigh == gRead.nFileIndexHigh && now.nFileIndexLow == gRead.nFileIndexLow &&
           now.nFileSizeHigh == gRead.nFileSizeHigh && now.nFileSizeLow == gRead.nFileSizeLow &&
           CompareFileTime(&now.ftLastWriteTime, &gRead.ftLastWriteTime) == 0;
}

// A runtime stream reading the held model from its first byte, on a handle of its own.
std::FILE* streamOnModel() {
    HANDLE own;
    if (!DuplicateHandle(GetCurrentProcess(), gModel, GetCurrentProcess(), &own, 0, FALSE,
                         DUPLICATE_SAME_ACCESS))
        return nullptr;
    // A duplicate shares the held handle's file position, wherever the last reading left it.
    LARGE_INTEGER start = {};
    int fd = SetFilePointerEx(own, start, nullptr, FILE_BEGIN)
                 ? _open_osfhandle(reinterpret_cast<intptr_t>(own), _O_RDONLY | _O_BINARY)
                 : -1;
    if (fd == -1) {
        CloseHandle(own);
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, "rb");
    if (file == nullptr) _close(fd);
    return file;
}

// Opens `wide` held: a handle taking part in sharing (one that reads data) and sharing no delete.
HANDLE openHeld(const wchar_t* wide, DWORD access, DWORD share, DWORD flags) {
    return CreateFileW(wide, access, share, nullptr, OPEN_EXISTING, flags, nullptr);
}

} // namespace

HANDLE win32::handleOf(std::FILE* file) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
}

int win32::pathInHeldFolder(wchar_t* out, std::size_t units, const char* name) {
    wchar_t wide[kWidePathUnits];
    if (gFolder == INVALID_HANDLE_VALUE || toWide(name, wide, kWidePathUnits) != 0 || wide[0] == L'\0')
        return -1;
    for (const wchar_t* p = wide; *p != L'\0'; ++p)
        if (*p == L'\\' || *p == L'/') return -1;
    const std::size_t folder = std::wcslen(gFolderPath);
    const std::size_t length = std::wcslen(wide);
    if (folder >= units || length >= units - folder) return -1;
    std::wmemcpy(out, gFolderPath, folder);
    std::wmemcpy(out + folder, wide, length + 1);
    return 0;
}

std::FILE* openModel(const char* path) {
    releaseModel();
    static wchar_t wide[win32::kWidePathUnits];
    if (path == nullptr || win32::toWide(path, wide, win32::kWidePathUnits) != 0) return nullptr;
    std::size_t cut = 0; // just past the last separator
    for (std::size_t i = 0; wide[i] != L'\0'; ++i)
        if (wide[i] == L'\\' || wide[i] == L'/') cut = i + 1;
    std::wmemcpy(gFolderPath, wide, cut);
    gFolderPath[cut] = L'\0';
    const DWORD noDelete = FILE_SHARE_READ | FILE_SHARE_WRITE;
    gFolder = openHeld(cut > 0 ? gFolderPath : L".", FILE_LIST_DIRECTORY, noDelete, FILE_FLAG_BACKUP_SEMANTICS);
    // A folder that may be passed but not listed: held without a share check of its own.
    if (gFolder == INVALID_HANDLE_VALUE)
        gFolder = openHeld(cut > 0 ? gFolderPath : L".", 0, noDelete, FILE_FLAG_BACKUP_SEMANTICS);
    gModel = openHeld(wide, GENERIC_READ, FILE_SHARE_READ, FILE_ATTRIBUTE_NORMAL);
    // Someone writes it already: read it as before, its last-write time then telling an edit.
    if (gModel == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION)
        gModel = openHeld(wide, GENERIC_READ, noDelete, FILE_ATTRIBUTE_NORMAL);
    // A device (CON, NUL, COM1), a pipe or a folder is no model.
    std::FILE* file = nullptr;
    if (gFolder != INVALID_HANDLE_VALUE && gModel != INVALID_HANDLE_VALUE &&
        GetFileType(gModel) == FILE_TYPE_DISK && GetFileInformationByHandle(gModel, &gRead) &&
        (gRead.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        file = streamOnModel();
    if (file == nullptr) releaseModel();
    return file;
}

int reopenModel(std::FILE** file) {
    *file = nullptr;
    if (gModel == INVALID_HANDLE_VALUE) return -1;
    if (!sameAsRead(gModel)) return 1;
    *file = streamOnModel();
    return *file != nullptr ? 0 : -1;
}

int modelUnchanged() { return gModel != INVALID_HANDLE_VALUE && sameAsRead(gModel) ? 0 : -1; }

} // namespace platform
