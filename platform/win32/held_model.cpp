// The model's folder and file on Windows, held from the read to the save: both handles are
// opened without FILE_SHARE_DELETE, so while they are held no one can rename or remove the
// folder, nor rename, remove or replace the model (nor write it, where no one had it open for
// writing already). The copy is then made by path in that folder, and the model read again
// through its own handle, proven unchanged by its volume, file index, size and last-write time.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/win32/held_model.h"
#include "text/inside_text.h"

namespace platform {
namespace {

char gFolderPath[MAX_PATH]; // ANSI, ending in its separator; empty for the current folder
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

// Opens `ansi` held: a handle taking part in sharing (one that reads data) and sharing no delete.
HANDLE openHeld(const char* ansi, DWORD access, DWORD share, DWORD flags) {
    return CreateFileA(ansi, access, share, nullptr, OPEN_EXISTING, flags, nullptr);
}

} // namespace

HANDLE win32::handleOf(std::FILE* file) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
}

int win32::pathInHeldFolder(char* out, std::size_t capacity, const char* name) {
    char ansi[MAX_PATH];
    if (gFolder == INVALID_HANDLE_VALUE || insideToCodePageName(ansi, sizeof ansi, name) != 0 ||
        ansi[0] == '\0')
        return -1;
    for (const char* p = ansi; *p != '\0'; ++p) {
        if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1] != '\0') ++p;
        else if (*p == '\\' || *p == '/') return -1;
    }
    const std::size_t folder = std::strlen(gFolderPath);
    const std::size_t length = std::strlen(ansi);
    if (folder >= capacity || length >= capacity - folder) return -1;
    std::memcpy(out, gFolderPath, folder);
    std::memcpy(out + folder, ansi, length + 1);
    return 0;
}

std::FILE* openModel(const char* path) {
    releaseModel();
    char ansi[MAX_PATH];
    if (path == nullptr || insideToCodePageName(ansi, sizeof ansi, path) != 0) return nullptr;
    std::size_t cut = 0; // just past the last separator (a trail byte is none)
    for (std::size_t i = 0; ansi[i] != '\0'; ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(ansi[i])) && ansi[i + 1] != '\0') ++i;
        else if (ansi[i] == '\\' || ansi[i] == '/') cut = i + 1;
    }
    std::memcpy(gFolderPath, ansi, cut);
    gFolderPath[cut] = '\0';
    const DWORD noDelete = FILE_SHARE_READ | FILE_SHARE_WRITE;
    gFolder = openHeld(cut > 0 ? gFolderPath : ".", FILE_LIST_DIRECTORY, noDelete, FILE_FLAG_BACKUP_SEMANTICS);
    // A folder that may be passed but not listed: held without a share check of its own.
    if (gFolder == INVALID_HANDLE_VALUE)
        gFolder = openHeld(cut > 0 ? gFolderPath : ".", 0, noDelete, FILE_FLAG_BACKUP_SEMANTICS);
    gModel = openHeld(ansi, GENERIC_READ, FILE_SHARE_READ, FILE_ATTRIBUTE_NORMAL);
    // Someone writes it already: read it as before, its last-write time then telling an edit.
    if (gModel == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION)
        gModel = openHeld(ansi, GENERIC_READ, noDelete, FILE_ATTRIBUTE_NORMAL);
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
