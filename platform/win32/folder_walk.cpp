// The walk of a folder tree on Windows (see folder_walk.h).
#include <windows.h>

#include "platform/win32/folder_walk.h"

#include <algorithm>
#include <cwchar>

namespace platform {
namespace win32 {
namespace {

// What an entry is as its folder's listing tells; the first unit of its kept name.
constexpr wchar_t kFolderEntry = L'd';
constexpr wchar_t kWantedEntry = L'f';
constexpr wchar_t kLinkEntry = L'l';

// The walk being sorted (std::sort takes no state of its own).
const FolderWalk* gSorted = nullptr;

// UTF-16 units in code point order: surrogates after every other unit of the plane.
unsigned codePointRank(wchar_t unit) {
    const unsigned u = static_cast<unsigned>(unit);
    if (u >= 0xD800 && u <= 0xDFFF) return u + 0x2000;
    if (u >= 0xE000) return u - 0x800;
    return u;
}

bool byName(std::uint32_t a, std::uint32_t b) {
    const wchar_t* x = gSorted->arena + a + 1;
    const wchar_t* y = gSorted->arena + b + 1;
    while (*x != 0 && *x == *y) {
        ++x;
        ++y;
    }
    return codePointRank(*x) < codePointRank(*y);
}

// walk.path with `tail` after it, from its first `used` units. false when it does not fit.
bool appendToPath(FolderWalk& walk, std::size_t used, const wchar_t* tail) {
    const std::size_t length = std::wcslen(tail);
    const bool separator = used > 0 && walk.path[used - 1] != L'\\' && walk.path[used - 1] != L'/';
    if (length + 2 > kWidePathUnits - used) return false;
    if (separator) walk.path[used++] = L'\\';
    std::wmemcpy(walk.path + used, tail, length + 1);
    return true;
}

// Keeps a name the walk may step on. false when it does not fit.
bool keepName(FolderWalk& walk, wchar_t kind, const wchar_t* name) {
    const std::size_t length = std::wcslen(name);
    if (walk.entryCount == walk.entryCapacity || length + 2 > walk.arenaUnits - walk.arenaUsed) return false;
    wchar_t* kept = walk.arena + walk.arenaUsed;
    kept[0] = kind;
    std::wmemcpy(kept + 1, name, length + 1);
    walk.entries[walk.entryCount++] = static_cast<std::uint32_t>(walk.arenaUsed);
    walk.arenaUsed += length + 2;
    return true;
}

WalkProblem keepNames(FolderWalk& walk, std::size_t pathLength) {
    if (!appendToPath(walk, pathLength, L"*")) return WalkProblem::PathTooLong;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(walk.path, &data);
    walk.path[pathLength] = 0;
    if (search == INVALID_HANDLE_VALUE) return WalkProblem::FolderUnreadable;
    WalkProblem problem = WalkProblem::None;
    do {
        const wchar_t* name = data.cFileName;
        if (std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0) continue;
        if (walk.nameLimit != 0 && ++walk.namesRead > walk.nameLimit) {
            problem = WalkProblem::FolderTooLarge;
            break;
        }
        wchar_t kind = 0;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) kind = kLinkEntry;
        else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) kind = kFolderEntry;
        else if (walk.wanted(name)) kind = kWantedEntry;
        if (kind != 0 && !keepName(walk, kind, name)) {
            problem = WalkProblem::FolderTooLarge;
            break;
        }
    } while (FindNextFileW(search, &data));
    if (problem == WalkProblem::None && GetLastError() != ERROR_NO_MORE_FILES) problem = WalkProblem::FolderUnreadable;
    FindClose(search);
    return problem;
}

// Enters the folder walk.path names: its names read, sorted and kept as a new level.
// None when entered or passed over (a folder the walk is already in), else the problem.
WalkProblem enterFolder(FolderWalk& walk) {
    FileIdentity identity;
    bool isFolder = false;
    if (!lookAt(walk.path, &identity, &isFolder, nullptr)) return WalkProblem::FolderUnreadable;
    for (int i = 0; i <= walk.depth; ++i) {
        const FileIdentity& other = walk.levels[i].identity;
        if (other.volume == identity.volume && other.index == identity.index) return WalkProblem::None;
    }
    if (walk.depth == walk.depthCapacity) return WalkProblem::TooDeep;
    WalkLevel& level = walk.levels[walk.depth + 1];
    level = {walk.entryCount, 0, 0, walk.arenaUsed, std::wcslen(walk.path), identity};
    const WalkProblem kept = keepNames(walk, level.pathLength);
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

// A reparse point's kind when it leads to a place inside the folder the walk began in; 0
// otherwise.
wchar_t kindOfLink(FolderWalk& walk, const wchar_t* name) {
    FileIdentity identity;
    bool isFolder = false;
    if (!lookAt(walk.path, &identity, &isFolder, walk.resolved)) return 0;
    const std::size_t length = std::wcslen(walk.root);
    if (std::wcslen(walk.resolved) < length ||
        CompareStringOrdinal(walk.resolved, static_cast<int>(length), walk.root, static_cast<int>(length), TRUE) !=
            CSTR_EQUAL)
        return 0;
    const wchar_t after = walk.resolved[length];
    if (after != 0 && after != L'\\' && walk.root[length - 1] != L'\\') return 0;
    if (isFolder) return kFolderEntry;
    return walk.wanted(name) ? kWantedEntry : 0;
}

} // namespace

bool lookAt(const wchar_t* path, FileIdentity* identity, bool* isFolder, wchar_t* final) {
    HANDLE handle = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    bool known = GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info) != 0;
    if (known && final != nullptr) {
        const DWORD length = GetFinalPathNameByHandleW(handle, final, kWidePathUnits, FILE_NAME_NORMALIZED);
        known = length > 0 && length < kWidePathUnits;
    }
    CloseHandle(handle);
    if (!known) return false;
    identity->volume = info.dwVolumeSerialNumber;
    identity->index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    *isFolder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
}

WalkProblem beginFolderWalk(FolderWalk& walk) {
    walk.depth = -1;
    walk.arenaUsed = 0;
    walk.entryCount = 0;
    walk.namesRead = 0;
    std::size_t length = std::wcslen(walk.path);
    while (length > 3 && (walk.path[length - 1] == L'\\' || walk.path[length - 1] == L'/')) walk.path[--length] = 0;
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
        const wchar_t* kept = walk.arena + walk.entries[level.firstEntry + level.next++];
        const wchar_t* name = kept + 1;
        if (!appendToPath(walk, level.pathLength, name)) {
            walk.path[level.pathLength] = 0; // the folder it is in is named instead
            *problem = WalkProblem::PathTooLong;
            return WalkStop::Problem;
        }
        wchar_t kind = kept[0];
        if (kind == kLinkEntry) kind = kindOfLink(walk, name);
        if (kind == kFolderEntry) {
            *problem = enterFolder(walk);
            if (*problem == WalkProblem::None) continue;
            return WalkStop::Problem;
        }
        if (kind == kWantedEntry) return WalkStop::File;
    }
    return WalkStop::End;
}

} // namespace win32
} // namespace platform
