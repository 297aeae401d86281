// Walking folders for models on POSIX (see platform.h). Each folder's names are read whole when
// the walk enters it, sorted in byte order and kept in fixed static storage until it leaves it;
// only folders, links and names ending in ".pmx" are kept. Links are followed only to a place
// inside the folder given, and never into a folder the walk is already in.
#include <dirent.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "text/convert.h"

namespace platform {
namespace {

// What an entry is as its folder's listing tells; the first byte of its kept name.
constexpr char kFolderEntry = 'd';
constexpr char kModelEntry = 'm';
constexpr char kLinkEntry = 'l';
constexpr char kUnknownEntry = 'u';   // the listing does not say: asked of the file system
constexpr char kSpecialEntry = 's';   // a device, FIFO or socket named *.pmx

struct Level {
    std::size_t firstEntry; // its names: entries firstEntry .. firstEntry + entryCount - 1
    std::size_t entryCount;
    std::size_t next;
    std::size_t arenaUsed;  // the arena as it was before its names
    std::size_t pathLength; // the folder's path in gWalk.path
    dev_t device;
    ino_t inode;
};

struct Walk {
    char path[posix::kOutsidePathBytes]; // the folder or file being looked at, outside form
    char root[PATH_MAX + 1];             // the folder given, resolved: where links may lead
    char resolved[PATH_MAX + 1];
    char arena[kWalkNameBytes];
    std::size_t arenaUsed;
    std::uint32_t entries[kWalkEntryCapacity]; // arena offsets
    std::size_t entryCount;
    Level levels[kWalkDepthCapacity + 1];
    int depth; // the level being walked; -1 when no folder is
    bool pending; // the path given is itself the next step
    WalkProblem pendingProblem;
    FileIdentity pendingIdentity;
};

Walk gWalk;

bool isPmxName(const char* name) {
    const std::size_t length = std::strlen(name);
    if (length < 4) return false;
    const char* dot = name + length - 4;
    return dot[0] == '.' && (dot[1] | 0x20) == 'p' && (dot[2] | 0x20) == 'm' && (dot[3] | 0x20) == 'x';
}

FileIdentity identityOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

// The outside path as the step's two inside forms. A path the step cannot hold whole is too
// long; a name holding a backslash would be split into folders inside.
void fillStep(WalkStep* step, const char* outside, WalkProblem problem, FileIdentity identity) {
    step->problem = problem;
    step->identity = identity;
    if (utf8NameToInside(step->shown, sizeof step->shown, outside) != 0 ||
        utf8NameToInside(step->path, sizeof step->path, outside) != 0)
        step->problem = WalkProblem::PathTooLong;
    else if (problem == WalkProblem::None && std::strchr(outside, '\\') != nullptr)
        step->problem = WalkProblem::NameNotInside;
    posix::slashesToBackslashes(step->path);
}

// The entry kind a file of these stat data makes under `name`; 0 for none to walk.
char kindOf(const struct stat& info, const char* name) {
    if (S_ISDIR(info.st_mode)) return kFolderEntry;
    if (!isPmxName(name)) return 0;
    return S_ISREG(info.st_mode) ? kModelEntry : kSpecialEntry;
}

char kindOfListed(const struct dirent* entry) {
#if defined(_DIRENT_HAVE_D_TYPE)
    switch (entry->d_type) {
    case DT_DIR: return kFolderEntry;
    case DT_LNK: return kLinkEntry;
    case DT_UNKNOWN: return kUnknownEntry;
    case DT_REG: return isPmxName(entry->d_name) ? kModelEntry : 0;
    default: return isPmxName(entry->d_name) ? kSpecialEntry : 0;
    }
#else
    (void)entry;
    return kUnknownEntry;
#endif
}

bool byName(std::uint32_t a, std::uint32_t b) {
    return std::strcmp(gWalk.arena + a + 1, gWalk.arena + b + 1) < 0;
}

// Keeps the names of the open folder that the walk may step on. None, or why not all are kept.
WalkProblem keepNames(DIR* dir) {
    for (;;) {
        errno = 0;
        const struct dirent* entry = readdir(dir);
        if (entry == nullptr) return errno == 0 ? WalkProblem::None : WalkProblem::FolderUnreadable;
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        const char kind = kindOfListed(entry);
        if (kind == 0) continue;
        const std::size_t length = std::strlen(name);
        if (gWalk.entryCount == kWalkEntryCapacity || length + 2 > kWalkNameBytes - gWalk.arenaUsed)
            return WalkProblem::FolderTooLarge;
        char* kept = gWalk.arena + gWalk.arenaUsed;
        kept[0] = kind;
        std::memcpy(kept + 1, name, length + 1);
        gWalk.entries[gWalk.entryCount++] = static_cast<std::uint32_t>(gWalk.arenaUsed);
        gWalk.arenaUsed += length + 2;
    }
}

// Enters the folder gWalk.path names: its names read, sorted and kept as a new level.
// None when entered or passed over (a folder the walk is already in), else the problem.
WalkProblem enterFolder() {
    DIR* dir = opendir(gWalk.path);
    if (dir == nullptr) return WalkProblem::FolderUnreadable;
    struct stat info;
    if (fstat(dirfd(dir), &info) != 0) {
        closedir(dir);
        return WalkProblem::FolderUnreadable;
    }
    for (int i = 0; i <= gWalk.depth; ++i) {
        if (gWalk.levels[i].device == info.st_dev && gWalk.levels[i].inode == info.st_ino) {
            closedir(dir); // a link back round: walked already
            return WalkProblem::None;
        }
    }
    if (gWalk.depth == kWalkDepthCapacity) {
        closedir(dir);
        return WalkProblem::TooDeep;
    }
    Level& level = gWalk.levels[gWalk.depth + 1];
    level = {gWalk.entryCount, 0, 0, gWalk.arenaUsed, std::strlen(gWalk.path), info.st_dev, info.st_ino};
    const WalkProblem kept = keepNames(dir);
    closedir(dir);
    if (kept != WalkProblem::None) {
        gWalk.entryCount = level.firstEntry;
        gWalk.arenaUsed = level.arenaUsed;
        return kept;
    }
    level.entryCount = gWalk.entryCount - level.firstEntry;
    std::sort(gWalk.entries + level.firstEntry, gWalk.entries + gWalk.entryCount, byName);
    ++gWalk.depth;
    return WalkProblem::None;
}

void leaveFolder() {
    const Level& level = gWalk.levels[gWalk.depth];
    gWalk.entryCount = level.firstEntry;
    gWalk.arenaUsed = level.arenaUsed;
    --gWalk.depth;
}

// gWalk.path leads, through whatever links, to a place inside the folder given.
bool leadsInside() {
    if (realpath(gWalk.path, gWalk.resolved) == nullptr) return false;
    const std::size_t length = std::strlen(gWalk.root);
    if (std::strncmp(gWalk.resolved, gWalk.root, length) != 0) return false;
    const char after = gWalk.resolved[length];
    return after == '\0' || after == '/' || (length == 1 && gWalk.root[0] == '/');
}

// The kind of a link or of an entry the listing left unsaid; 0 for none to walk.
char kindOnDisk(char listed, const char* name) {
    struct stat info;
    if (listed == kUnknownEntry) {
        if (lstat(gWalk.path, &info) != 0) return 0;
        if (!S_ISLNK(info.st_mode)) return kindOf(info, name);
    }
    if (!leadsInside() || stat(gWalk.path, &info) != 0) return 0;
    return kindOf(info, name);
}

// gWalk.path with `name` after it, as the folder of level `level` is. false when it does not fit.
bool pathOfEntry(const Level& level, const char* name) {
    std::size_t used = level.pathLength;
    const std::size_t length = std::strlen(name);
    const bool separator = used == 0 || gWalk.path[used - 1] != '/';
    if (length + 2 > sizeof gWalk.path - used) return false;
    if (separator) gWalk.path[used++] = '/';
    std::memcpy(gWalk.path + used, name, length + 1);
    return true;
}

} // namespace

void walkBegin(const char* path) {
    gWalk.depth = -1;
    gWalk.arenaUsed = 0;
    gWalk.entryCount = 0;
    gWalk.pending = true;
    gWalk.pendingIdentity = {0, 0};
    gWalk.pendingProblem = WalkProblem::Missing;
    if (posix::pathToOutside(gWalk.path, sizeof gWalk.path, path) != 0) return;
    // As a model path is: spelled in another case than on disk, it still names the file.
    posix::resolveNoCase(gWalk.path, sizeof gWalk.path, false);
    struct stat info;
    if (stat(gWalk.path, &info) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) gWalk.pendingProblem = WalkProblem::Unreachable;
        return;
    }
    if (S_ISREG(info.st_mode)) {
        gWalk.pendingProblem = WalkProblem::None;
        gWalk.pendingIdentity = identityOf(info);
        return;
    }
    if (!S_ISDIR(info.st_mode)) {
        gWalk.pendingProblem = WalkProblem::NotFileOrFolder;
        return;
    }
    std::size_t length = std::strlen(gWalk.path);
    while (length > 1 && gWalk.path[length - 1] == '/') gWalk.path[--length] = '\0';
    if (realpath(gWalk.path, gWalk.root) == nullptr) {
        gWalk.pendingProblem = WalkProblem::FolderUnreadable;
        return;
    }
    gWalk.pendingProblem = enterFolder();
    gWalk.pending = gWalk.pendingProblem != WalkProblem::None;
}

int walkNext(WalkStep* step) {
    if (gWalk.pending) {
        gWalk.pending = false;
        fillStep(step, gWalk.path, gWalk.pendingProblem, gWalk.pendingIdentity);
        return 1;
    }
    while (gWalk.depth >= 0) {
        Level& level = gWalk.levels[gWalk.depth];
        if (level.next == level.entryCount) {
            leaveFolder();
            continue;
        }
        const char* kept = gWalk.arena + gWalk.entries[level.firstEntry + level.next++];
        const char* name = kept + 1;
        if (!pathOfEntry(level, name)) {
            gWalk.path[level.pathLength] = '\0'; // the folder it is in is named instead
            fillStep(step, gWalk.path, WalkProblem::PathTooLong, {0, 0});
            return 1;
        }
        char kind = kept[0];
        if (kind == kLinkEntry || kind == kUnknownEntry) kind = kindOnDisk(kind, name);
        if (kind == kFolderEntry) {
            // Inside, a backslash in its name would split it: none of its models could be opened.
            const WalkProblem problem =
                std::strchr(name, '\\') != nullptr ? WalkProblem::NameNotInside : enterFolder();
            if (problem == WalkProblem::None) continue;
            fillStep(step, gWalk.path, problem, {0, 0});
            return 1;
        }
        if (kind == kSpecialEntry) {
            fillStep(step, gWalk.path, WalkProblem::NotFileOrFolder, {0, 0});
            return 1;
        }
        if (kind != kModelEntry) continue;
        struct stat info;
        const bool there = stat(gWalk.path, &info) == 0;
        fillStep(step, gWalk.path, there ? WalkProblem::None : WalkProblem::Missing,
                 there ? identityOf(info) : FileIdentity{0, 0});
        return 1;
    }
    return 0;
}

} // namespace platform
