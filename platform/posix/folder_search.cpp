// The search of a model's folder for the files of its broken links (see platform.h), over the walk
// of folder_walk.h. A name is folded as the lookups fold it (composed, the JIS variants folded,
// ASCII letters in upper case); the folded names searched for are kept sorted, so each file the
// walk reads costs one binary search, whatever the number of broken links.
#include <algorithm>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "platform/posix/folder_walk.h"
#include "text/composition.h"
#include "text/convert.h"
#include "text/jis_variants.h"

namespace platform {
namespace {

// No file system keeps a longer name, so a longer one searched for matches nothing.
constexpr std::size_t kNameBytes = 256;
// The names of the folders the search is in, as the walk keeps them: a pack's folders hold a few
// hundred names each; a folder whose names do not fit is passed over.
constexpr std::size_t kSearchArenaBytes = 256 * 1024;
constexpr std::size_t kSearchEntryCapacity = 8 * 1024;

struct Key {
    char folded[kNameBytes];
    int name; // the index given to searchBegin
};

struct Search {
    posix::FolderWalk walk;
    char arena[kSearchArenaBytes];
    std::uint32_t entries[kSearchEntryCapacity];
    posix::WalkLevel levels[kSearchDepth + 1];
    Key keys[kSearchNameCapacity]; // sorted by their folded names
    int keyCount;
    std::size_t rootLength; // of the folder's path in walk.path
    int nextKey;            // the keys of the file found last still to be given as hits
    int endKey;
    char scratch[kNameBytes]; // a name being folded
    char relative[posix::kOutsidePathBytes];
};

Search gSearch;

// `name` (UTF-8) folded into `out`; false when it cannot be a file's name.
bool fold(const char* name, char* out) {
    const std::size_t length = std::strlen(name);
    if (length >= kNameBytes) return false;
    std::memcpy(out, name, length + 1);
    composeUtf8(out);
    foldJisVariants(out);
    for (char* c = out; *c != '\0'; ++c)
        if (*c >= 'a' && *c <= 'z') *c = static_cast<char>(*c - 'a' + 'A');
    return true;
}

bool keyBefore(const Key& a, const Key& b) { return std::strcmp(a.folded, b.folded) < 0; }

// The keys equal to the folded `name`: first .. end (none when it cannot be a file's name).
void keysOf(const char* name, int* first, int* end) {
    *first = *end = 0;
    if (!fold(name, gSearch.scratch)) return;
    const char* folded = gSearch.scratch;
    const Key* begin = gSearch.keys;
    const Key* stop = gSearch.keys + gSearch.keyCount;
    const Key* low = std::partition_point(begin, stop, [&](const Key& k) { return std::strcmp(k.folded, folded) < 0; });
    const Key* high = std::partition_point(low, stop, [&](const Key& k) { return std::strcmp(k.folded, folded) == 0; });
    *first = static_cast<int>(low - begin);
    *end = static_cast<int>(high - begin);
}

bool isWanted(const char* name) {
    int first, end;
    keysOf(name, &first, &end);
    return first < end;
}

} // namespace

void searchBegin(const char* folder, const char* const* names, int count) {
    posix::FolderWalk& walk = gSearch.walk;
    posix::attachWalkStorage(walk, gSearch.arena, gSearch.entries, gSearch.levels, isWanted, kSearchEntryLimit);
    gSearch.keyCount = 0;
    gSearch.nextKey = gSearch.endKey = 0;
    for (int i = 0; i < count && i < kSearchNameCapacity; ++i) {
        Key& key = gSearch.keys[gSearch.keyCount];
        if (posix::pathToOutside(gSearch.relative, sizeof gSearch.relative, names[i]) != 0 ||
            !fold(gSearch.relative, key.folded))
            continue;
        key.name = i;
        ++gSearch.keyCount;
    }
    std::sort(gSearch.keys, gSearch.keys + gSearch.keyCount, keyBefore);
    if (gSearch.keyCount == 0 || posix::insideToResolved(walk.path, sizeof walk.path, folder, false) != 0) return;
    if (posix::beginFolderWalk(walk) != WalkProblem::None) return;
    gSearch.rootLength = std::strlen(walk.path);
}

int searchNext(SearchHit* hit) {
    posix::FolderWalk& walk = gSearch.walk;
    for (;;) {
        if (gSearch.nextKey < gSearch.endKey) {
            hit->name = gSearch.keys[gSearch.nextKey++].name;
            // Below the folder, byte for byte; a name with a backslash would split inside.
            const char* relative = walk.path + gSearch.rootLength + 1;
            if (std::strchr(relative, '\\') == nullptr && utf8NameToInside(hit->path, sizeof hit->path, relative) == 0) {
                posix::slashesToBackslashes(hit->path);
                return 1;
            }
            gSearch.nextKey = gSearch.endKey;
            continue;
        }
        WalkProblem problem;
        // Whatever the walk cannot enter is passed over: the search finds what it can.
        const posix::WalkStop stop = posix::stepFolderWalk(walk, &problem);
        if (stop == posix::WalkStop::End) return 0;
        if (stop != posix::WalkStop::File) continue;
        const char* slash = std::strrchr(walk.path, '/');
        keysOf(slash != nullptr ? slash + 1 : walk.path, &gSearch.nextKey, &gSearch.endKey);
    }
}

} // namespace platform
