// The repaired copy's temporary file on POSIX: made new and exclusively (never through a link or
// over an entry of that name), and removed by the signals that end a process while it exists,
// so an interrupted save leaves nothing behind.
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"

namespace platform {
namespace {

const int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Read by the signal handler: the outside path, set while the signals are blocked.
char gGuardedPath[posix::kOutsidePathBytes];
volatile sig_atomic_t gGuarded = 0;
bool gHandlersSet = false;

extern "C" void onEndingSignal(int signalNumber) {
    if (gGuarded != 0) unlink(gGuardedPath);
    posix::consoleFlushOnSignal();
    // The signal's own ending (its exit status, a core where due), now without the file.
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

// A signal the process was started to ignore (nohup) stays ignored.
void setHandlers() {
    if (gHandlersSet) return;
    gHandlersSet = true;
    for (int number : kEndingSignals) {
        struct sigaction previous;
        if (sigaction(number, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) continue;
        struct sigaction action;
        std::memset(&action, 0, sizeof action);
        action.sa_handler = onEndingSignal;
        sigemptyset(&action.sa_mask);
        sigaction(number, &action, nullptr);
    }
}

void blockEndingSignals(sigset_t* previous) {
    sigset_t set;
    sigemptyset(&set);
    for (int number : kEndingSignals) sigaddset(&set, number);
    sigprocmask(SIG_BLOCK, &set, previous);
}

} // namespace

int createTemporaryFile(const char* path, std::FILE** file) {
    if (path == nullptr || file == nullptr || path[0] == '\0') return -1;
    *file = nullptr;
    char outside[posix::kOutsidePathBytes];
    if (posix::insideToResolved(outside, sizeof outside, path, true) != 0) return -1;
    // What was printed so far is out before the file exists: a signal then has nothing of it
    // left to lose.
    consoleFlush();
    sigset_t previous;
    blockEndingSignals(&previous);
    int fd = open(outside, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    int result = fd >= 0 ? 0 : (errno == EEXIST || errno == ELOOP) ? 1 : -1;
    if (fd >= 0) {
        *file = fdopen(fd, "wb");
        if (*file == nullptr) {
            close(fd);
            unlink(outside);
            result = -1;
        } else {
            std::memcpy(gGuardedPath, outside, std::strlen(outside) + 1);
            gGuarded = 1;
            setHandlers();
        }
    }
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    return result;
}

void releaseTemporaryFile() { gGuarded = 0; }

} // namespace platform
