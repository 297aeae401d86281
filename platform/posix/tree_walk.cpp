// Walking folders for models on POSIX (see platform.h), over the walk of folder_walk.h: the files
// it stops at are those named *.pmx in any case; its storage is the capacities platform.h names.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "platform/posix/folder_walk.h"
#include "text/convert.h"

namespace platform {
namespace {

struct ModelWalk {
    posix::FolderWalk walk;
    char arena[kWalkNameBytes];
    std::uint32_t entries[kWalkEntryCapacity];
    posix::WalkLevel levels[kWalkDepthCapacity + 1];
    bool pending; // the path given is itself the next step
    WalkProblem pendingProblem;
    FileIdentity pendingIdentity;
};

ModelWalk gModels;

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

} // namespace

void walkBegin(const char* path) {
    posix::FolderWalk& walk = gModels.walk;
    posix::attachWalkStorage(walk, gModels.arena, gModels.entries, gModels.levels, isPmxName, 0);
    gModels.pending = true;
    gModels.pendingIdentity = {0, 0};
    gModels.pendingProblem = WalkProblem::Missing;
    if (posix::pathToOutside(walk.path, sizeof walk.path, path) != 0) return;
    // As a model path is: spelled in another case than on disk, it still names the file.
    posix::resolveNoCase(walk.path, sizeof walk.path, false);
    struct stat info;
    if (stat(walk.path, &info) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) gModels.pendingProblem = WalkProblem::Unreachable;
        return;
    }
    if (S_ISREG(info.st_mode)) {
        gModels.pendingProblem = WalkProblem::None;
        gModels.pendingIdentity = identityOf(info);
        return;
    }
    if (!S_ISDIR(info.st_mode)) {
        gModels.pendingProblem = WalkProblem::NotFileOrFolder;
        return;
    }
    gModels.pendingProblem = posix::beginFolderWalk(walk);
    gModels.pending = gModels.pendingProblem != WalkProblem::None;
}

int walkNext(WalkStep* step) {
    posix::FolderWalk& walk = gModels.walk;
    if (gModels.pending) {
        gModels.pending = false;
        fillStep(step, walk.path, gModels.pendingProblem, gModels.pendingIdentity);
        return 1;
    }
    WalkProblem problem = WalkProblem::None;
    switch (posix::stepFolderWalk(walk, &problem)) {
    case posix::WalkStop::End: return 0;
    case posix::WalkStop::Problem: fillStep(step, walk.path, problem, {0, 0}); return 1;
    case posix::WalkStop::Special: fillStep(step, walk.path, WalkProblem::NotFileOrFolder, {0, 0}); return 1;
    case posix::WalkStop::File: break;
    }
    struct stat info;
    const bool there = stat(walk.path, &info) == 0;
    fillStep(step, walk.path, there ? WalkProblem::None : WalkProblem::Missing, there ? identityOf(info) : FileIdentity{0, 0});
    return 1;
}

} // namespace platform
