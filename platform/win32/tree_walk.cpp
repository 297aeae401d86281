// Walking folders for models on Windows (see platform.h), over the walk of folder_walk.h: the
// files it stops at are those named *.pmx in any case; its storage is the capacities platform.h
// names.
#include <windows.h>

#include <cstring>
#include <cwchar>

#include "platform/platform.h"
#include "platform/win32/folder_walk.h"
#include "platform/win32/wide_names.h"

namespace platform {
namespace {

struct ModelWalk {
    win32::FolderWalk walk;
    wchar_t arena[kWalkNameBytes / sizeof(wchar_t)];
    std::uint32_t entries[kWalkEntryCapacity];
    win32::WalkLevel levels[kWalkDepthCapacity + 1];
    bool pending; // the path given is itself the next step
    WalkProblem pendingProblem;
    FileIdentity pendingIdentity;
};

ModelWalk gModels;

bool isPmxName(const wchar_t* name) {
    const std::size_t length = std::wcslen(name);
    if (length < 4) return false;
    const wchar_t* dot = name + length - 4;
    return dot[0] == L'.' && (dot[1] | 0x20) == L'p' && (dot[2] | 0x20) == L'm' && (dot[3] | 0x20) == L'x';
}

void fillStep(WalkStep* step, WalkProblem problem, FileIdentity identity) {
    step->problem = problem;
    step->identity = identity;
    if (win32::fromWide(gModels.walk.path, step->path, sizeof step->path) != 0) {
        step->path[0] = '\0';
        step->problem = WalkProblem::PathTooLong;
    }
    std::memcpy(step->shown, step->path, sizeof step->shown); // the system spells it so
}

} // namespace

void walkBegin(const char* path) {
    win32::FolderWalk& walk = gModels.walk;
    win32::attachWalkStorage(walk, gModels.arena, gModels.entries, gModels.levels, isPmxName, 0);
    gModels.pending = true;
    gModels.pendingIdentity = {0, 0};
    gModels.pendingProblem = WalkProblem::Missing;
    if (win32::toWide(path, walk.path, win32::kWidePathUnits) != 0) return;
    const DWORD attributes = GetFileAttributesW(walk.path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) gModels.pendingProblem = WalkProblem::Unreachable;
        return;
    }
    bool isFolder = false;
    if (!win32::lookAt(walk.path, &gModels.pendingIdentity, &isFolder, walk.root)) {
        gModels.pendingProblem = WalkProblem::NotFileOrFolder;
        return;
    }
    if (!isFolder) {
        gModels.pendingProblem = WalkProblem::None;
        return;
    }
    gModels.pendingProblem = win32::beginFolderWalk(walk);
    gModels.pending = gModels.pendingProblem != WalkProblem::None;
}

int walkNext(WalkStep* step) {
    win32::FolderWalk& walk = gModels.walk;
    if (gModels.pending) {
        gModels.pending = false;
        fillStep(step, gModels.pendingProblem, gModels.pendingIdentity);
        return 1;
    }
    WalkProblem problem = WalkProblem::None;
    switch (win32::stepFolderWalk(walk, &problem)) {
    case win32::WalkStop::End: return 0;
    case win32::WalkStop::Problem: fillStep(step, problem, {0, 0}); return 1;
    case win32::WalkStop::File: break;
    }
    FileIdentity identity{0, 0};
    bool isFolder = false;
    const bool there = win32::lookAt(walk.path, &identity, &isFolder, nullptr);
    fillStep(step, there ? WalkProblem::None : WalkProblem::NotFileOrFolder, identity);
    return 1;
}

} // namespace platform
