// The repaired copy on POSIX, made in the model's held folder (held_model.cpp) and named there:
// without a name (O_TMPFILE) where the file system offers one, so that nothing of it outlives the
// process however it ends, else under a new name that the signals ending the process remove
// first. It gets its name only when it is whole and synced, under that exact name, and with no
// wider permissions than the source's.
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "platform/posix/held_model.h"

namespace platform {
namespace {

// Every signal whose default ends the process and that a handler can catch, but SIGXFSZ, which
// the process ignores (a file-size limit is a failed write, reported and cleaned up).
const int kEndingSignals[] = {SIGINT,  SIGTERM, SIGHUP,    SIGQUIT, SIGALRM, SIGUSR1,
                              SIGUSR2, SIGPIPE, SIGVTALRM, SIGPROF, SIGXCPU};

// Read by the signal handler: the named copy, set while the signals are blocked.
char gGuardedName[posix::kOutsidePathBytes];
int gGuardedFolder = -1;
volatile sig_atomic_t gGuarded = 0;
bool gHandlersSet = false;

extern "C" void onEndingSignal(int signalNumber) {
    if (gGuarded != 0) unlinkat(gGuardedFolder, gGuardedName, 0);
    posix::consoleFlushOnSignal();
    // The signal's own ending (its exit status, a core where due), now without the file.
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

// A signal the process was started to ignore (nohup), or that it handles already, stays so.
void setHandlers() {
    if (gHandlersSet) return;
    gHandlersSet = true;
    for (int number : kEndingSignals) {
        struct sigaction previous;
        // Ignored since the start (nohup), or handled already by something else in the process
        // (a test harness's alarm): left as it is.
        if (sigaction(number, nullptr, &previous) != 0 || (previous.sa_flags & SA_SIGINFO) != 0 ||
            previous.sa_handler != SIG_DFL)
            continue;
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

// The copy now has the name `outside`: the signals remove it. Called with them blocked.
void guard(const char* outside) {
    std::memcpy(gGuardedName, outside, std::strlen(outside) + 1);
    gGuardedFolder = posix::heldFolder();
    gGuarded = 1;
    setHandlers();
}

// `name` in outside form, a name of the held folder's own: 0, or -1 when it is none (empty, a
// folder step, or more than one component).
int outsideName(char* out, std::size_t capacity, const char* name) {
    if (posix::heldFolder() < 0 || posix::pathToOutside(out, capacity, name) != 0) return -1;
    bool step = std::strcmp(out, ".") == 0 || std::strcmp(out, "..") == 0;
    return out[0] == '\0' || step || std::strchr(out, '/') != nullptr ? -1 : 0;
}

mode_t currentUmask() {
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// The name through which the kernel links an open file that has none.
void procPath(char* out, std::size_t capacity, std::FILE* file) {
    std::snprintf(out, capacity, "/proc/self/fd/%d", fileno(file));
}

} // namespace

int createUnnamedCopy(std::FILE** file) {
    *file = nullptr;
#if defined(O_TMPFILE)
    if (posix::heldFolder() < 0) return -1;
    int fd = openat(posix::heldFolder(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    *file = fdopen(fd, "wb");
    char proc[32];
    // Without /proc the copy could not be given a name (linkat would need a privilege).
    if (*file != nullptr) procPath(proc, sizeof proc, *file);
    if (*file == nullptr || access(proc, F_OK) != 0) {
        if (*file != nullptr) std::fclose(*file);
        else close(fd);
        *file = nullptr;
        return -1;
    }
    return 0;
#else
    return -1;
#endif
}

int createNamedCopy(const char* name, std::FILE** file) {
    *file = nullptr;
    char outside[posix::kOutsidePathBytes];
    if (outsideName(outside, sizeof outside, name) != 0) return -1;
    sigset_t previous;
    blockEndingSignals(&previous);
    // Owner-only while incomplete; finishCopy gives the mode it ends with.
    int fd = openat(posix::heldFolder(), outside, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    int result = fd >= 0 ? 0 : (errno == EEXIST || errno == ELOOP) ? 1 : -1;
    if (fd >= 0) {
        *file = fdopen(fd, "wb");
        if (*file == nullptr) {
            close(fd);
            unlinkat(posix::heldFolder(), outside, 0);
            result = -1;
        } else {
            guard(outside);
        }
    }
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    return result;
}

int finishCopy(std::FILE* file, const char* name) {
    char outside[posix::kOutsidePathBytes];
    if (file == nullptr || outsideName(outside, sizeof outside, name) != 0) return -1;
    // As cp makes a new file: the source's bits as the umask allows them; and a file replaced
    // was no more open before than the copy is after.
    mode_t mode = posix::heldModeBits() & ~currentUmask();
    struct stat replaced;
    if (fstatat(posix::heldFolder(), outside, &replaced, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(replaced.st_mode))
        mode &= replaced.st_mode;
    // A file system without permission bits (FAT, exFAT) refuses the change: the copy then has
    // what the mount gives every file, as the source has.
    fchmod(fileno(file), mode & 0777);
    // Synced before any name leads to it: a crash then leaves the earlier file, never an empty one.
    return fsync(fileno(file)) == 0 ? 0 : -1;
}

int nameCopy(std::FILE* file, const char* name) {
    char outside[posix::kOutsidePathBytes];
    if (file == nullptr || outsideName(outside, sizeof outside, name) != 0) return -1;
    char proc[32];
    procPath(proc, sizeof proc, file);
    sigset_t previous;
    blockEndingSignals(&previous);
    int result = linkat(AT_FDCWD, proc, posix::heldFolder(), outside, AT_SYMLINK_FOLLOW) == 0 ? 0
                 : errno == EEXIST                                                        ? 1
                                                                                          : -1;
    if (result == 0) guard(outside);
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    return result;
}

int renameCopy(const char* name) {
    char outside[posix::kOutsidePathBytes];
    if (gGuarded == 0 || outsideName(outside, sizeof outside, name) != 0) return -1;
    sigset_t previous;
    blockEndingSignals(&previous);
    // renameat replaces a link of that name itself, never the file it leads to.
    const int folder = posix::heldFolder();
    int result = std::strcmp(gGuardedName, outside) == 0 ||
                         renameat(folder, gGuardedName, folder, outside) == 0
                     ? 0
                     : -1;
    if (result == 0) gGuarded = 0;
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    // The new name lasts a crash only once the folder is synced (a folder that may be passed but
    // not listed cannot be: its name then lasts as the system keeps it).
    if (result == 0) fsync(folder);
    return result;
}

void discardCopy() {
    sigset_t previous;
    blockEndingSignals(&previous);
    if (gGuarded != 0) unlinkat(gGuardedFolder, gGuardedName, 0);
    gGuarded = 0;
    sigprocmask(SIG_SETMASK, &previous, nullptr);
}

} // namespace platform
