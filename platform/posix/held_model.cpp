// The model's folder on POSIX, held from the read to the save: the folder is opened once, when
// the model is read, and the model read again for the copy, the copy and its name are all
// reached from that descriptor, so a folder renamed or replaced by a link in the meantime cannot
// send the copy elsewhere. The identity of the file read proves, at the save, that its name
// still leads to the same file, unchanged: an edit that puts the size and modification time
// back still moves the change time, which only the clock sets.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "platform/posix/held_model.h"

namespace platform {
namespace {

int gFolder = -1;
int gReopened = -1; // the model as reopenModel last gave it
char gName[posix::kOutsidePathBytes]; // the model's name as found in the folder
struct stat gRead;                     // the model as it was read

void closeReopened() {
    if (gReopened >= 0) close(gReopened);
    gReopened = -1;
}

void releaseModel() {
    closeReopened();
    if (gFolder >= 0) close(gFolder);
    gFolder = -1;
}

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool sameAsRead(int fd) {
    struct stat now;
    return fstat(fd, &now) == 0 && now.st_dev == gRead.st_dev && now.st_ino == gRead.st_ino &&
           now.st_size == gRead.st_size && sameTime(now.st_mtim, gRead.st_mtim) &&
           sameTime(now.st_ctim, gRead.st_ctim);
}

// The folder of `outside` (changed in place: cut before its name), open; -1 on failure.
int openFolderOf(char* outside, const char** name) {
    char* slash = std::strrchr(outside, '/');
    *name = slash != nullptr ? slash + 1 : outside;
    const char* folder = ".";
    if (slash == outside) {
        folder = "/";
    } else if (slash != nullptr) {
        *slash = '\0';
        folder = outside;
    }
    int fd = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#if defined(O_PATH)
    // A folder that may be passed but not listed still serves every step but its sync.
    if (fd < 0) fd = open(folder, O_PATH | O_DIRECTORY | O_CLOEXEC);
#endif
    return fd;
}

} // namespace

namespace posix {
int heldFolder() { return gFolder; }
mode_t heldModeBits() { return gRead.st_mode & 0777; }
bool isHeldModel(dev_t device, ino_t inode) { return gFolder >= 0 && gRead.st_dev == device && gRead.st_ino == inode; }
} // namespace posix

std::FILE* openModel(const char* path) {
    releaseModel();
    if (path == nullptr || path[0] == '\0') return nullptr;
    char outside[posix::kOutsidePathBytes];
    if (posix::insideToResolved(outside, sizeof outside, path, false) != 0) return nullptr;
    const char* name = nullptr;
    int folder = openFolderOf(outside, &name);
    if (folder < 0) return nullptr;
    int fd = posix::openRegularAt(folder, name);
    std::FILE* file = fd >= 0 && fstat(fd, &gRead) == 0 ? fdopen(fd, "rb") : nullptr;
    if (file == nullptr) {
        if (fd >= 0) close(fd);
        close(folder);
        return nullptr;
    }
    std::memcpy(gName, name, std::strlen(name) + 1);
    gFolder = folder;
    return file;
}

int reopenModel(std::FILE** file) {
    *file = nullptr;
    closeReopened();
    if (gFolder < 0) return -1;
    int fd = posix::openRegularAt(gFolder, gName);
    if (fd < 0) return -1;
    if (!sameAsRead(fd)) {
        close(fd);
        return 1;
    }
    *file = fdopen(fd, "rb");
    if (*file == nullptr) {
        close(fd);
        return -1;
    }
    gReopened = dup(fd);
    return 0;
}

int modelUnchanged() { return gReopened >= 0 && sameAsRead(gReopened) ? 0 : -1; }

} // namespace platform
