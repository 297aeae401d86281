// Walking folders for models on Windows (see platform.h), through the wide calls
// (FindFirstFileW / FindNextFileW), so a name of any script is walked and given back whole. Each
// folder's names are read whole when the walk enters it, sorted in the order of their code
// points (the byte order of their UTF-8) and kept in fixed static storage until it leaves it.
// Reparse points (links, junctions) are followed only to a place inside the folder given, and
// never into a folder the walk is already in.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>

#include "platform/platform.h"
#include "platform/win32/wide_names.h"

namespace platform {
namespace {

// What an entry is as its folder's listing tells; the first unit of its kept name.
constexpr wchar_t kFolderEntry = L'd';
constexpr wchar_t kModelEntry = L'm';
constexpr wchar_t kLinkEntry = L'l';

constexpr std::size_t kArenaUnits = kWalkNameBytes / sizeof(wchar_t);
constexpr std::size_t kPathUnits = win32::kWidePathUnits;

struct Level {
    std::size_t firstEntry; // its names: entries firstEntry .. firstEntry + entryCount - 1
    std::size_t entryCount;
    std::size_t next;
    std::size_t arenaUsed;  // the arena as it was before its names
    std::size_t pathLength; // the folder's path in gWalk.path
    FileIdentity identity;
};

struct Walk {
    wchar_t path[kPathUnits]; // the folder or file being looked at
    wchar_t root[kPathUnits]; // the folder given as the system resolves it: where links may lead
    wchar_t resolved[kPathUnits];
    wchar_t arena[kArenaUnits];
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

bool isPmxName(const wchar_t* name) {
    const std::size_t length = std::wcslen(name);
    if (length < 4) return false;
    const wchar_t* dot = name + length - 4;
    return dot[0] == L'.' && (dot[1] | 0x20) == L'p' && (dot[2] | 0x20) == L'm' && (dot[3] | 0x20) == L'x';
}

// UTF-16 units in code point order: surrogates after every other unit of the plane.
unsigned codePointRank(wchar_t unit) {
    const unsigned u = static_cast<unsigned>(unit);
    if (u >= 0xD800 && u <= 0xDFFF) return u + 0x2000;
    if (u >= 0xE000) return u - 0x800;
    return u;
}

bool byName(std::uint32_t a, std::uint32_t b) {
    const wchar_t* x = gWalk.arena + a + 1;
    const wchar_t* y = gWalk.arena + b + 1;
    while (*x != 0 && *x == *y) {
        ++x;
        ++y;
    }
    return codePointRank(*x) < codePointRank(*y);
}

// The file or folder `path` leads to, through any reparse point: its identity, whether it is a
// folder, and (when `final` is given) its path as the system resolves it. false when it cannot be
// opened, or is no disk file.
bool lookAt(const wchar_t* path, FileIdentity* identity, bool* isFolder, wchar_t* final) {
    HANDLE handle = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    bool known = GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info) != 0;
    if (known && final != nullptr) {
        const DWORD length = GetFinalPathNameByHandleW(handle, final, kPathUnits, FILE_NAME_NORMALIZED);
        known = length > 0 && length < kPathUnits;
    }
    CloseHandle(handle);
    if (!known) return false;
    identity->volume = info.dwVolumeSerialNumber;
    identity->index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    *isFolder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
}

void fillStep(WalkStep* step, WalkProblem problem, FileIdentity identity) {
    step->problem = problem;
    step->identity = identity;
    if (win32::fromWide(gWalk.path, step->path, sizeof step->path) != 0) {
        step->path[0] = '\0';
        step->problem = WalkProblem::PathTooLong;
    }
    std::memcpy(step->shown, step->path, sizeof step->shown); // the system spells it so
}

// gWalk.path with `tail` after it, from its first `used` units. false when it does not fit.
bool appendToPath(std::size_t used, const wchar_t* tail) {
    const std::size_t length = std::wcslen(tail);
    const bool separator = used > 0 && gWalk.path[used - 1] != L'\\' && gWalk.path[used - 1] != L'/';
    if (length + 2 > kPathUnits - used) return false;
    if (separator) gWalk.path[used++] = L'\\';
    std::wmemcpy(gWalk.path + used, tail, length + 1);
    return true;
}

// Keeps a name the walk may step on. false when it does not fit.
bool keepName(wchar_t kind, const wchar_t* name) {
    const std::size_t length = std::wcslen(name);
    if (gWalk.entryCount == kWalkEntryCapacity || length + 2 > kArenaUnits - gWalk.arenaUsed) return false;
    wchar_t* kept = gWalk.arena + gWalk.arenaUsed;
    kept[0] = kind;
    std::wmemcpy(kept + 1, name, length + 1);
    gWalk.entries[gWalk.entryCount++] = static_cast<std::uint32_t>(gWalk.arenaUsed);
    gWalk.arenaUsed += length + 2;
    return true;
}

WalkProblem keepNames(std::size_t pathLength) {
    if (!appendToPath(pathLength, L"*")) return WalkProblem::PathTooLong;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(gWalk.path, &data);
    gWalk.path[pathLength] = 0;
    if (search == INVALID_HANDLE_VALUE) return WalkProblem::FolderUnreadable;
    WalkProblem problem = WalkProblem::None;
    do {
        const wchar_t* name = data.cFileName;
        if (std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0) continue;
        wchar_t kind = 0;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) kind = kLinkEntry;
        else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) kind = kFolderEntry;
        else if (isPmxName(name)) kind = kModelEntry;
        if (kind != 0 && !keepName(kind, name)) {
            problem = WalkProblem::FolderTooLarge;
            break;
        }
    } while (FindNextFileW(search, &data));
    if (problem == WalkProblem::None && GetLastError() != ERROR_NO_MORE_FILES) problem = WalkProblem::FolderUnreadable;
    FindClose(search);
    return problem;
}

// Enters the folder gWalk.path names: its names read, sorted and kept as a new level.
// None when entered or passed over (a folder the walk is already in), else the problem.
WalkProblem enterFolder() {
    FileIdentity identity;
    bool isFolder = false;
    if (!lookAt(gWalk.path, &identity, &isFolder, nullptr)) return WalkProblem::FolderUnreadable;
    for (int i = 0; i <= gWalk.depth; ++i) {
        const FileIdentity& other = gWalk.levels[i].identity;
        if (other.volume == identity.volume && other.index == identity.index) return WalkProblem::None;
    }
    if (gWalk.depth == kWalkDepthCapacity) return WalkProblem::TooDeep;
    Level& level = gWalk.levels[gWalk.depth + 1];
    level = {gWalk.entryCount, 0, 0, gWalk.arenaUsed, std::wcslen(gWalk.path), identity};
    const WalkProblem kept = keepNames(level.pathLength);
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

// A reparse point's kind when it leads to a place inside the folder given; 0 otherwise.
wchar_t kindOfLink(const wchar_t* name) {
    FileIdentity identity;
    bool isFolder = false;
    if (!lookAt(gWalk.path, &identity, &isFolder, gWalk.resolved)) return 0;
    const std::size_t length = std::wcslen(gWalk.root);
    if (std::wcslen(gWalk.resolved) < length ||
        CompareStringOrdinal(gWalk.resolved, static_cast<int>(length), gWalk.root, static_cast<int>(length), TRUE) !=
            CSTR_EQUAL)
        return 0;
    const wchar_t after = gWalk.resolved[length];
    if (after != 0 && after != L'\\' && gWalk.root[length - 1] != L'\\') return 0;
    if (isFolder) return kFolderEntry;
    return isPmxName(name) ? kModelEntry : 0;
}

} // namespace

void walkBegin(const char* path) {
    gWalk.depth = -1;
    gWalk.arenaUsed = 0;
    gWalk.entryCount = 0;
    gWalk.pending = true;
    gWalk.pendingIdentity = {0, 0};
    gWalk.pendingProblem = WalkProblem::Missing;
    if (win32::toWide(path, gWalk.path, kPathUnits) != 0) return;
    const DWORD attributes = GetFileAttributesW(gWalk.path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) gWalk.pendingProblem = WalkProblem::Unreachable;
        return;
    }
    bool isFolder = false;
    if (!lookAt(gWalk.path, &gWalk.pendingIdentity, &isFolder, gWalk.root)) {
        gWalk.pendingProblem = WalkProblem::NotFileOrFolder;
        return;
    }
    if (!isFolder) {
        gWalk.pendingProblem = WalkProblem::None;
        return;
    }
    std::size_t length = std::wcslen(gWalk.path);
    while (length > 3 && (gWalk.path[length - 1] == L'\\' || gWalk.path[length - 1] == L'/')) gWalk.path[--length] = 0;
    gWalk.pendingProblem = enterFolder();
    gWalk.pending = gWalk.pendingProblem != WalkProblem::None;
}

int walkNext(WalkStep* step) {
    if (gWalk.pending) {
        gWalk.pending = false;
        fillStep(step, gWalk.pendingProblem, gWalk.pendingIdentity);
        return 1;
    }
    while (gWalk.depth >= 0) {
        Level& level = gWalk.levels[gWalk.depth];
        if (level.next == level.entryCount) {
            leaveFolder();
            continue;
        }
        const wchar_t* kept = gWalk.arena + gWalk.entries[level.firstEntry + level.next++];
        const wchar_t* name = kept + 1;
        if (!appendToPath(level.pathLength, name)) {
            gWalk.path[level.pathLength] = 0; // the folder it is in is named instead
            fillStep(step, WalkProblem::PathTooLong, {0, 0});
            return 1;
        }
        wchar_t kind = kept[0];
        if (kind == kLinkEntry) kind = kindOfLink(name);
        if (kind == kFolderEntry) {
            const WalkProblem problem = enterFolder();
            if (problem == WalkProblem::None) continue;
            fillStep(step, problem, {0, 0});
            return 1;
        }
        if (kind != kModelEntry) continue;
        FileIdentity identity{0, 0};
        bool isFolder = false;
        const bool there = lookAt(gWalk.path, &identity, &isFolder, nullptr);
        fillStep(step, there ? WalkProblem::None : WalkProblem::NotFileOrFolder, identity);
        return 1;
    }
    return 0;
}

} // namespace platform
