// The search of a model's folder for the files of its broken links on Windows (see platform.h),
// over the walk of folder_walk.h. The file system matches names without case, so a name is folded
// to upper case; the folded names searched for are kept sorted, so each file the walk reads costs
// one binary search, whatever the number of broken links.
#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "platform/platform.h"
#include "platform/win32/folder_walk.h"
#include "platform/win32/wide_names.h"

namespace platform {
namespace {

// No file system keeps a longer name, so a longer one searched for matches nothing.
constexpr std::size_t kNameUnits = 256;
// The names of the folders the search is in, as the walk keeps them (see the POSIX search).
constexpr std::size_t kSearchArenaUnits = 128 * 1024;
constexpr std::size_t kSearchEntryCapacity = 8 * 1024;

struct Key {
    wchar_t folded[kNameUnits];
    int name; // the index given to searchBegin
};

struct Search {
    win32::FolderWalk walk;
    wchar_t arena[kSearchArenaUnits];
    std::uint32_t entries[kSearchEntryCapacity];
    win32::WalkLevel levels[kSearchDepth + 1];
    Key keys[kSearchNameCapacity]; // sorted by their folded names
    int keyCount;
    std::size_t rootLength; // of the folder's path in walk.path
    int nextKey;            // the keys of the file found last still to be given as hits
    int endKey;
    wchar_t scratch[win32::kWidePathUnits];
};

Search gSearch;

// `name` folded into `out` (kNameUnits); false when it cannot be a file's name.
bool fold(const wchar_t* name, wchar_t* out) {
    const std::size_t length = std::wcslen(name);
    if (length >= kNameUnits) return false;
    std::wmemcpy(out, name, length + 1);
    CharUpperBuffW(out, static_cast<DWORD>(length));
    return true;
}

// The keys equal to the folded `name`: first .. end.
void keysOf(const wchar_t* name, int* first, int* end) {
    *first = *end = 0;
    wchar_t folded[kNameUnits];
    if (!fold(name, folded)) return;
    const Key* begin = gSearch.keys;
    const Key* stop = gSearch.keys + gSearch.keyCount;
    const Key* low = std::partition_point(begin, stop, [&](const Key& k) { return std::wcscmp(k.folded, folded) < 0; });
    const Key* high = std::partition_point(low, stop, [&](const Key& k) { return std::wcscmp(k.folded, folded) == 0; });
    *first = static_cast<int>(low - begin);
    *end = static_cast<int>(high - begin);
}

bool isWanted(const wchar_t* name) {
    int first, end;
    keysOf(name, &first, &end);
    return first < end;
}

} // namespace

void searchBegin(const char* folder, const char* const* names, int count) {
    win32::FolderWalk& walk = gSearch.walk;
    win32::attachWalkStorage(walk, gSearch.arena, gSearch.entries, gSearch.levels, isWanted, kSearchEntryLimit);
    gSearch.keyCount = 0;
    gSearch.nextKey = gSearch.endKey = 0;
    for (int i = 0; i < count && i < kSearchNameCapacity; ++i) {
        Key& key = gSearch.keys[gSearch.keyCount];
        if (win32::toWide(names[i], gSearch.scratch, win32::kWidePathUnits) != 0 || !fold(gSearch.scratch, key.folded))
            continue;
        key.name = i;
        ++gSearch.keyCount;
    }
    std::sort(gSearch.keys, gSearch.keys + gSearch.keyCount,
              [](const Key& a, const Key& b) { return std::wcscmp(a.folded, b.folded) < 0; });
    if (gSearch.keyCount == 0 || win32::toWide(folder, walk.path, win32::kWidePathUnits) != 0) return;
    FileIdentity identity;
    bool isFolder = false;
    if (!win32::lookAt(walk.path, &identity, &isFolder, walk.root) || !isFolder) return;
    if (win32::beginFolderWalk(walk) != WalkProblem::None) return;
    gSearch.rootLength = std::wcslen(walk.path);
}

int searchNext(SearchHit* hit) {
    win32::FolderWalk& walk = gSearch.walk;
    for (;;) {
        if (gSearch.nextKey < gSearch.endKey) {
            hit->name = gSearch.keys[gSearch.nextKey++].name;
            const wchar_t* relative = walk.path + gSearch.rootLength;
            while (*relative == L'\\') ++relative;
            if (win32::fromWide(relative, hit->path, sizeof hit->path) == 0) return 1;
            gSearch.nextKey = gSearch.endKey;
            continue;
        }
        WalkProblem problem;
        // Whatever the walk cannot enter is passed over: the search finds what it can.
        const win32::WalkStop stop = win32::stepFolderWalk(walk, &problem);
        if (stop == win32::WalkStop::End) return 0;
        if (stop != win32::WalkStop::File) continue;
        const wchar_t* slash = std::wcsrchr(walk.path, L'\\');
        keysOf(slash != nullptr ? slash + 1 : walk.path, &gSearch.nextKey, &gSearch.endKey);
    }
}

} // namespace platform
