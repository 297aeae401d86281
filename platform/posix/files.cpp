// Files and file search on POSIX: opening the program's inside-form paths (a file is read only
// when regular, and written under its exact name), copying a stretch of one open file into another
// inside the kernel, and the FindFirstFileA-style search over a full path (no wildcards), which
// gives the entry's name as stored on disk. Paths cross the code-page boundary in codepage.cpp.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "platform/posix/held_model.h"

namespace platform {
namespace {

// Open searches at one time; the program keeps at most one open.
constexpr int kFindHandles = 8;
bool gFindInUse[kFindHandles];

// A mode that may create the file: its final name need not exist yet.
bool modeCreates(const char* mode) {
    return mode[0] == 'w' || mode[0] == 'a';
}

// The outside path to write `inside` to: its folders looked up without case, its own name kept
// exactly as given (a file whose name differs only in case or composition is another file, and
// is never replaced). 0 or -1.
int writablePath(char* out, std::size_t capacity, const char* inside) {
    if (posix::pathToOutside(out, capacity, inside) != 0) return -1;
    char* slash = std::strrchr(out, '/');
    if (slash == nullptr || slash == out) return 0;
    char name[posix::kOutsidePathBytes];
    std::memcpy(name, slash, std::strlen(slash) + 1);
    *slash = '\0';
    if (posix::resolveNoCase(out, capacity, false) != 0) return -1;
    std::size_t used = std::strlen(out);
    if (std::strlen(name) >= capacity - used) return -1;
    std::memcpy(out + used, name, std::strlen(name) + 1);
    return 0;
}

} // namespace

// A device may act on being opened, so the type is asked before; the open itself does not wait;
// and what was opened is asked again, in case the name changed in between.
int posix::openRegularAt(int folder, const char* name) {
    struct stat info;
    if (fstatat(folder, name, &info, 0) != 0 || !S_ISREG(info.st_mode)) return -1;
    int fd = openat(folder, name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    int flags = fcntl(fd, F_GETFL);
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

std::FILE* openFile(const char* path, const char* mode) {
    if (path == nullptr || mode == nullptr || path[0] == '\0') return nullptr;
    char outside[posix::kOutsidePathBytes];
    if (mode[0] == 'r' && std::strchr(mode, '+') == nullptr) {
        if (posix::insideToResolved(outside, sizeof outside, path, false) != 0) return nullptr;
        int fd = posix::openRegularAt(AT_FDCWD, outside);
        std::FILE* file = fd >= 0 ? fdopen(fd, mode) : nullptr;
        if (file == nullptr && fd >= 0) close(fd);
        return file;
    }
    if ((modeCreates(mode) ? writablePath(outside, sizeof outside, path)
                           : posix::insideToResolved(outside, sizeof outside, path, false)) != 0)
        return nullptr;
    std::FILE* file = std::fopen(outside, mode);
    if (file == nullptr) return nullptr;
    // A folder opens for reading here but not on Windows: a texture path that names the
    // model's folder (an empty entry) must read as missing, not as found.
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

int fileStamp(std::FILE* file, FileStamp* stamp) {
    struct stat info;
    if (file == nullptr || stamp == nullptr || fstat(fileno(file), &info) != 0) return -1;
    stamp->size = static_cast<std::int64_t>(info.st_size);
    stamp->modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return 0;
}

bool sameFile(const char* a, const char* b) {
    if (a == nullptr || b == nullptr) return false;
    char outsideA[posix::kOutsidePathBytes];
    char outsideB[posix::kOutsidePathBytes];
    if (posix::insideToResolved(outsideA, sizeof outsideA, a, true) != 0 ||
        posix::insideToResolved(outsideB, sizeof outsideB, b, true) != 0)
        return false;
    struct stat infoA, infoB;
    const bool existsA = stat(outsideA, &infoA) == 0;
    const bool existsB = stat(outsideB, &infoB) == 0;
    if (existsA && existsB) return infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
    return !existsA && !existsB && std::strcmp(outsideA, outsideB) == 0;
}

std::int32_t copyFileBytes(std::FILE* from, std::int32_t offset, std::FILE* to, std::int32_t count) {
    if (from == nullptr || to == nullptr || offset < 0 || count < 0) return -1;
#if defined(__linux__)
    // The source offset is passed explicitly, so neither the source descriptor's offset nor
    // its runtime buffer is disturbed; the destination's own offset moves on with the copy.
    off_t at = offset;
    std::int32_t copied = 0;
    while (copied < count) {
        ssize_t got = copy_file_range(fileno(from), &at, fileno(to), nullptr,
                                      static_cast<std::size_t>(count - copied), 0);
        if (got < 0 && errno == EINTR) continue;
        // Refused at once (another file system, a kernel without the call, a special file):
        // the caller copies by reading and writing. Later failures show there again.
        if (got < 0) return copied > 0 ? copied : -1;
        if (got == 0) break; // the end of the source
        copied += static_cast<std::int32_t>(got);
    }
    return copied;
#else
    (void)offset;
    (void)count;
    return -1;
#endif
}

int findFirst(const char* path, FindEntry* entry) {
    if (path == nullptr || entry == nullptr || path[0] == '\0') return -1;
    entry->name[0] = '\0';
    entry->isFolder = false;
    char outside[posix::kOutsidePathBytes];
    if (posix::insideToResolved(outside, sizeof outside, path, false) != 0) return -1;
    struct stat info;
    if (stat(outside, &info) != 0) return -1;

    // Without wildcards the one match is the entry the path names: its last component, as the
    // lookup found it on disk.
    std::size_t length = std::strlen(outside);
    while (length > 1 && outside[length - 1] == '/') outside[--length] = '\0';
    const char* slash = std::strrchr(outside, '/');
    const char* name = (slash != nullptr && slash[1] != '\0') ? slash + 1 : outside;

    int handle = 0;
    while (handle < kFindHandles && gFindInUse[handle]) ++handle;
    if (handle == kFindHandles) return -1;
    // A name cut to fit would be another name.
    if (posix::textToInside(entry->name, sizeof entry->name, name, true) != 0) return -1;
    entry->isFolder = S_ISDIR(info.st_mode);
    gFindInUse[handle] = true;
    return handle;
}

int findNext(int handle, FindEntry* entry) {
    (void)entry;
    if (handle < 0 || handle >= kFindHandles || !gFindInUse[handle]) return -1;
    return -1; // a path without wildcards matches one entry only
}

void findClose(int handle) {
    if (handle < 0 || handle >= kFindHandles) return;
    gFindInUse[handle] = false;
}

} // namespace platform
