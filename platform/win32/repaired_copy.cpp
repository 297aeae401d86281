// The repaired copy on Windows, made in the model's held folder (held_model.cpp): a new file made
// with CREATE_NEW (never over an entry of that name), removed when the console's Ctrl+C,
// Ctrl+Break or close ends the process while it exists, and moved over the destination once
// complete and flushed to the disk. The console handler runs on a thread of its own, so the file
// is opened to allow deleting it while the program still writes: it goes when the process closes
// its handle. Windows offers no file without a name.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "platform/platform.h"
#include "platform/win32/held_model.h"
#include "platform/win32/wide_names.h"

namespace platform {
namespace {

wchar_t gGuardedPath[win32::kWidePathUnits];
volatile LONG gGuarded = 0;
bool gHandlerSet = false;

BOOL WINAPI onConsoleEvent(DWORD /*event*/) {
    if (InterlockedCompareExchange(&gGuarded, 0, 0) != 0) DeleteFileW(gGuardedPath);
    std::fflush(stdout);
    return FALSE; // the system's own handling then ends the process
}

} // namespace

int createUnnamedCopy(std::FILE** file) {
    *file = nullptr;
    return -1;
}

int createNamedCopy(const char* name, std::FILE** file) {
    *file = nullptr;
    wchar_t path[win32::kWidePathUnits];
    if (name == nullptr || win32::pathInHeldFolder(path, win32::kWidePathUnits, name) != 0) return -1;
    HANDLE handle = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                                nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES ? 1 : -1;
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd == -1) {
        CloseHandle(handle);
        DeleteFileW(path);
        return -1;
    }
    *file = _fdopen(fd, "wb");
    if (*file == nullptr) {
        _close(fd);
        DeleteFileW(path);
        return -1;
    }
    std::memcpy(gGuardedPath, path, (std::wcslen(path) + 1) * sizeof path[0]);
    InterlockedExchange(&gGuarded, 1);
    if (!gHandlerSet) gHandlerSet = SetConsoleCtrlHandler(onConsoleEvent, TRUE) != 0;
    return 0;
}

int finishCopy(std::FILE* file, const char* /*name*/) {
    return file != nullptr && FlushFileBuffers(win32::handleOf(file)) ? 0 : -1;
}

int nameCopy(std::FILE* /*file*/, const char* /*name*/) { return -1; }

int renameCopy(const char* name) {
    wchar_t path[win32::kWidePathUnits];
    if (InterlockedCompareExchange(&gGuarded, 0, 0) == 0 ||
        win32::pathInHeldFolder(path, win32::kWidePathUnits, name) != 0 ||
        !MoveFileExW(gGuardedPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return -1;
    InterlockedExchange(&gGuarded, 0);
    return 0;
}

void discardCopy() {
    if (InterlockedExchange(&gGuarded, 0) != 0) DeleteFileW(gGuardedPath);
}

} // namespace platform
