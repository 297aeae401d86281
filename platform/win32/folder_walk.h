// The walk of a folder tree that the walk for models (tree_walk.cpp) and the search for moved
// files (folder_search.cpp) both make on Windows, each over storage of its own, through the wide
// calls: a folder's names are read whole when the walk enters it, sorted in the order of their
// code points and kept until it leaves it; only folders, reparse points (links, junctions) and
// the names of files the walk wants are kept. Reparse points are followed only to a place inside
// the folder the walk began in, and never into a folder the walk is already in. Only
// platform/win32/ uses this header.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"
#include "platform/win32/wide_names.h"

namespace platform {
namespace win32 {

struct WalkLevel {
    std::size_t firstEntry; // its names: entries firstEntry .. firstEntry + entryCount - 1
    std::size_t entryCount;
    std::size_t next;
    std::size_t arenaUsed;  // the arena as it was before its names
    std::size_t pathLength; // the folder's path in path
    FileIdentity identity;
};

// A walk's state over the storage its owner gives it.
struct FolderWalk {
    wchar_t path[kWidePathUnits];     // the folder or file being looked at
    wchar_t root[kWidePathUnits];     // the folder the walk began in, as the system resolves it
    wchar_t resolved[kWidePathUnits];
    wchar_t* arena;
    std::size_t arenaUnits;
    std::size_t arenaUsed;
    std::uint32_t* entries; // arena offsets
    std::size_t entryCapacity;
    std::size_t entryCount;
    WalkLevel* levels; // depthCapacity + 1 of them
    int depthCapacity;
    int depth; // the level being walked; -1 when no folder is
    bool (*wanted)(const wchar_t* name); // the files the walk stops at
    std::size_t nameLimit;               // names the walk may read in all; 0 for no limit
    std::size_t namesRead;
};

// Gives `walk` its owner's storage (the arena, the entries and depth + 1 levels), the files it
// stops at and its limit of names read (0 for none), and leaves it in no folder yet.
template <std::size_t ArenaUnits, std::size_t EntryCount, std::size_t LevelCount>
void attachWalkStorage(FolderWalk& walk, wchar_t (&arena)[ArenaUnits], std::uint32_t (&entries)[EntryCount],
                       WalkLevel (&levels)[LevelCount], bool (*wanted)(const wchar_t*), std::size_t nameLimit) {
    walk.arena = arena;
    walk.arenaUnits = ArenaUnits;
    walk.entries = entries;
    walk.entryCapacity = EntryCount;
    walk.levels = levels;
    walk.depthCapacity = static_cast<int>(LevelCount) - 1;
    walk.depth = -1;
    walk.wanted = wanted;
    walk.nameLimit = nameLimit;
}

enum class WalkStop { End, File, Problem };

// The file or folder `path` leads to, through any reparse point: its identity, whether it is a
// folder, and (when `final` is given) its path as the system resolves it. false when it cannot be
// opened, or is no disk file.
bool lookAt(const wchar_t* path, FileIdentity* identity, bool* isFolder, wchar_t* final);

// Begins at the folder walk.path names (root already filled by lookAt): None when it was entered,
// else why not.
WalkProblem beginFolderWalk(FolderWalk& walk);
// Goes on to the next wanted file or problem (in `problem`). End when the walk is over, or has read
// its limit of names.
WalkStop stepFolderWalk(FolderWalk& walk, WalkProblem* problem);

} // namespace win32
} // namespace platform
