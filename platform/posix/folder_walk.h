// The walk of a folder tree that the walk for models (tree_walk.cpp) and the search for moved
// files (folder_search.cpp) both make, each over storage of its own: a folder's names are read
// whole when the walk enters it, sorted in byte order and kept until it leaves it; only folders,
// links and the names of files the walk wants are kept. Links are followed only to a place
// inside the folder the walk began in, and never into a folder the walk is already in. Only
// platform/posix/ uses this header.
#pragma once

#include <limits.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"
#include "platform/posix/boundary.h"

namespace platform {
namespace posix {

struct WalkLevel {
    std::size_t firstEntry; // its names: entries firstEntry .. firstEntry + entryCount - 1
    std::size_t entryCount;
    std::size_t next;
    std::size_t arenaUsed;  // the arena as it was before its names
    std::size_t pathLength; // the folder's path in path
    dev_t device;
    ino_t inode;
};

// A walk's state over the storage its owner gives it.
struct FolderWalk {
    char path[kOutsidePathBytes]; // the folder or file being looked at, outside form
    char root[PATH_MAX + 1];      // the folder the walk began in, resolved: where links may lead
    char resolved[PATH_MAX + 1];
    char* arena;
    std::size_t arenaCapacity;
    std::size_t arenaUsed;
    std::uint32_t* entries; // arena offsets
    std::size_t entryCapacity;
    std::size_t entryCount;
    WalkLevel* levels; // depthCapacity + 1 of them
    int depthCapacity; // the deepest level below the first that is entered
    int depth;         // the level being walked; -1 when no folder is
    bool (*wanted)(const char* name); // the files the walk stops at
    std::size_t nameLimit;            // names the walk may read in all; 0 for no limit
    std::size_t namesRead;
};

// Gives `walk` its owner's storage (the arena, the entries and depth + 1 levels), the files it
// stops at and its limit of names read (0 for none), and leaves it in no folder yet.
template <std::size_t ArenaBytes, std::size_t EntryCount, std::size_t LevelCount>
void attachWalkStorage(FolderWalk& walk, char (&arena)[ArenaBytes], std::uint32_t (&entries)[EntryCount],
                       WalkLevel (&levels)[LevelCount], bool (*wanted)(const char*), std::size_t nameLimit) {
    walk.arena = arena;
    walk.arenaCapacity = ArenaBytes;
    walk.entries = entries;
    walk.entryCapacity = EntryCount;
    walk.levels = levels;
    walk.depthCapacity = static_cast<int>(LevelCount) - 1;
    walk.depth = -1;
    walk.wanted = wanted;
    walk.nameLimit = nameLimit;
}

// What walkStep stopped at (the path is in walk.path).
enum class WalkStop { End, File, Special, Problem };

// Begins at the folder walk.path names (trailing separators are dropped): None when it was
// entered, else why not.
WalkProblem beginFolderWalk(FolderWalk& walk);
// Goes on to the next wanted file, special file (a device, FIFO or socket) of a wanted name, or
// problem (in `problem`: a folder that cannot be entered, a path too long, a folder named with a
// backslash). End when the walk is over, or has read its limit of names.
WalkStop stepFolderWalk(FolderWalk& walk, WalkProblem* problem);

} // namespace posix
} // namespace platform
