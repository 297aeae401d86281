// The walk of a folder tree on POSIX (see folder_walk.h).
#include "platform/posix/folder_walk.h"

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace platform {
namespace posix {
namespace {

// What an entry is as its folder's listing tells; the first byte of its kept name.
constexpr char kFolderEntry = 'd';
constexpr char kWantedEntry = 'f';
constexpr char kLinkEntry = 'l';
constexpr char kUnknownEntry = 'u';   // the listing does not say: asked of the file system
constexpr char kSpecialEntry = 's';   // a device, FIFO or socket of a wanted name

// The walk being sorted (std::sort takes no state of its own).
const FolderWalk* gSorted = nullptr;

// The entry kind a file of these stat data makes under `name`; 0 for none to walk.
char kindOf(const FolderWalk& walk, const struct stat& info, const char* name) {
    if (S_ISDIR(info.st_mode)) return kFolderEntry;
    if (!walk.wanted(name)) return 0;
    return S_ISREG(info.st_mode) ? kWantedEntry : kSpecialEntry;
}

char kindOfListed(const FolderWalk& walk, const struct dirent* entry) {
#if defined(_DIRENT_HAVE_D_TYPE)
    switch (entry->d_type) {
    case DT_DIR: return kFolderEntry;
    case DT_LNK: return kLinkEntry;
    case DT_UNKNOWN: return kUnknownEntry;
    case DT_REG: return walk.wanted(entry->d_name) ? kWantedEntry : 0;
    default: return walk.wanted(entry->d_name) ? kSpecialEntry : 0;
    }
#else
    (void)walk;
    (void)entry;
    return kUnknownEntry;
#endif
}

bool byName(std::uint32_t a, std::uint32_t b) {
    return std::strcmp(gSorted->arena + a + 1, gSorted->arena + b + 1) < 0;
}

// Keeps the names of the open folder that the walk may step on. None, or why not all are kept.
WalkProblem keepNames(FolderWalk& walk, DIR* dir) {
    for (;;) {
        errno = 0;
        const struct dirent* entry = readdir(dir);
        if (entry == nullptr) return errno == 0 ? WalkProblem::None : WalkProblem::FolderUnreadable;
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        if (walk.nameLimit != 0 && ++walk.namesRead > walk.nameLimit) return WalkProblem::FolderTooLarge;
        const char kind = kindOfListed(walk, entry);
        if (kind == 0) continue;
        const std::size_t length = std::strlen(name);
        if (walk.entryCount == walk.entryCapacity || length + 2 > walk.arenaCapacity - walk.arenaUsed)
            return WalkProblem::FolderTooLarge;
        char* kept = walk.arena + walk.arenaUsed;
        kept[0] = kind;
        std::memcpy(kept + 1, name, length + 1);
        walk.entries[walk.entryCount++] = static_cast<std::uint32_t>(walk.arenaUsed);
        walk.arenaUsed += length + 2;
    }
}

// Enters the folder walk.path names: its names read, sorted and kept as a new level.
// None when entered or passed over (a folder the walk is already in), else the problem.
WalkProblem enterFolder(FolderWalk& walk) {
    DIR* dir = opendir(walk.path);
    if (dir == nullptr) return WalkProblem::FolderUnreadable;
    struct stat info;
    if (fstat(dirfd(dir), &info) != 0) {
        closedir(dir);
        return WalkProblem::FolderUnreadable;
    }
    for (int i = 0; i <= walk.depth; ++i) {
        if (walk.levels[i].device == info.st_dev && walk.levels[i].inode == info.st_ino) {
            closedir(dir); // a link back round: walked already
            return WalkProblem::None;
        }
    }
    if (walk.depth == walk.depthCapacity) {
        closedir(dir);
        return WalkProblem::TooDeep;
    }
    WalkLevel& level = walk.levels[walk.depth + 1];
    level = {walk.entryCount, 0, 0, walk.arenaUsed, std::strlen(walk.path), info.st_dev, info.st_ino};
    const WalkProblem kept = keepNames(walk, dir);
    closedir(dir);
    if (kept != WalkProblem::None) {
        walk.entryCount = level.firstEntry;
        walk.arenaUsed = level.arenaUsed;
        return kept;
    }
    level.entryCount = walk.entryCount - level.firstEntry;
    gSorted = &walk;
    std::sort(walk.entries + level.firstEntry, walk.entries + walk.entryCount, byName);
    ++walk.depth;
    return WalkProblem::None;
}

void leaveFolder(FolderWalk& walk) {
    const WalkLevel& level = walk.levels[walk.depth];
    walk.entryCount = level.firstEntry;
    walk.arenaUsed = level.arenaUsed;
    --walk.depth;
}

// walk.path leads, through whatever links, to a place inside the folder the walk began in.
bool leadsInside(FolderWalk& walk) {
    if (realpath(walk.path, walk.resolved) == nullptr) return false;
    const std::size_t length = std::strlen(walk.root);
    if (std::strncmp(walk.resolved, walk.root, length) != 0) return false;
    const char after = walk.resolved[length];
    return after == '\0' || after == '/' || (length == 1 && walk.root[0] == '/');
}

// The kind of a link or of an entry the listing left unsaid; 0 for none to walk.
char kindOnDisk(FolderWalk& walk, char listed, const char* name) {
    struct stat info;
    if (listed == kUnknownEntry) {
        if (lstat(walk.path, &info) != 0) return 0;
        if (!S_ISLNK(info.st_mode)) return kindOf(walk, info, name);
    }
    if (!leadsInside(walk) || stat(walk.path, &info) != 0) return 0;
    return kindOf(walk, info, name);
}

// walk.path with `name` after it, as the folder of `level` is. false when it does not fit.
bool pathOfEntry(FolderWalk& walk, const WalkLevel& level, const char* name) {
    std::size_t used = level.pathLength;
    const std::size_t length = std::strlen(name);
    const bool separator = used == 0 || walk.path[used - 1] != '/';
    if (length + 2 > sizeof walk.path - used) return false;
    if (separator) walk.path[used++] = '/';
    std::memcpy(walk.path + used, name, length + 1);
    return true;
}

} // namespace

WalkProblem beginFolderWalk(FolderWalk& walk) {
    walk.depth = -1;
    walk.arenaUsed = 0;
    walk.entryCount = 0;
    walk.namesRead = 0;
    std::size_t length = std::strlen(walk.path);
    while (length > 1 && walk.path[length - 1] == '/') walk.path[--length] = '\0';
    if (realpath(walk.path, walk.root) == nullptr) return WalkProblem::FolderUnreadable;
    return enterFolder(walk);
}

WalkStop stepFolderWalk(FolderWalk& walk, WalkProblem* problem) {
    while (walk.depth >= 0) {
        if (walk.nameLimit != 0 && walk.namesRead > walk.nameLimit) return WalkStop::End;
        WalkLevel& level = walk.levels[walk.depth];
        if (level.next == level.entryCount) {
            leaveFolder(walk);
            continue;
        }
        const char* kept = walk.arena + walk.entries[level.firstEntry + level.next++];
        const char* name = kept + 1;
        if (!pathOfEntry(walk, level, name)) {
            walk.path[level.pathLength] = '\0'; // the folder it is in is named instead
            *problem = WalkProblem::PathTooLong;
            return WalkStop::Problem;
        }
        char kind = kept[0];
        if (kind == kLinkEntry || kind == kUnknownEntry) kind = kindOnDisk(walk, kind, name);
        if (kind == kFolderEntry) {
            // Inside, a backslash in its name would split it: none of its files could be opened.
            *problem = std::strchr(name, '\\') != nullptr ? WalkProblem::NameNotInside : enterFolder(walk);
            if (*problem == WalkProblem::None) continue;
            return WalkStop::Problem;
        }
        if (kind == kSpecialEntry) return WalkStop::Special;
        if (kind == kWantedEntry) return WalkStop::File;
    }
    return WalkStop::End;
}

} // namespace posix
} // namespace platform
