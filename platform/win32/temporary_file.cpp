// The repaired copy's temporary file on Windows: made with CREATE_NEW (never over an entry of
// that name), and removed when the console's Ctrl+C, Ctrl+Break or close ends the process while
// it exists. The console handler runs on a thread of its own, so the file is opened to allow
// deleting it while the program still writes: it goes when the process closes its handle.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace platform {
namespace {

char gGuardedPath[MAX_PATH];
volatile LONG gGuarded = 0;
bool gHandlerSet = false;

BOOL WINAPI onConsoleEvent(DWORD /*event*/) {
    if (InterlockedCompareExchange(&gGuarded, 0, 0) != 0) DeleteFileA(gGuardedPath);
    std::fflush(stdout);
    return FALSE; // the system's own handling then ends the process
}

} // namespace

int createTemporaryFile(const char* path, std::FILE** file) {
    if (path == nullptr || file == nullptr || path[0] == '\0') return -1;
    *file = nullptr;
    const std::size_t length = std::strlen(path);
    if (length >= sizeof gGuardedPath) return -1;
    consoleFlush(); // what was printed so far is out before the file exists
    HANDLE handle = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                                nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES ? 1 : -1;
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd == -1) {
        CloseHandle(handle);
        DeleteFileA(path);
        return -1;
    }
    *file = _fdopen(fd, "wb");
    if (*file == nullptr) {
        _close(fd);
        DeleteFileA(path);
        return -1;
    }
    std::memcpy(gGuardedPath, path, length + 1);
    InterlockedExchange(&gGuarded, 1);
    if (!gHandlerSet) gHandlerSet = SetConsoleCtrlHandler(onConsoleEvent, TRUE) != 0;
    return 0;
}

void releaseTemporaryFile() { InterlockedExchange(&gGuarded, 0); }

} // namespace platform
