// The folder listings kept for the lookups without case (name_lookup.cpp). A folder is read at
// its first such lookup in a model and its names are kept here, in fixed static storage (an
// arena of names and an index of them in folded order), so that the other links into it (1,024
// links in a folder of 30,000 files) search memory instead of reading the folder once each. A
// listing serves only while its folder is the same one, unchanged (device, inode and change
// time, which an entry made, removed or renamed since moves on, and which no user can set back);
// a folder whose names do not fit is remembered as such and read at each lookup, as it was
// before there were listings. The model loop forgets them all before each model.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"

namespace platform {
namespace posix {
namespace {

constexpr std::size_t kListingArenaBytes = 2 * 1024 * 1024; // names and folder paths
constexpr std::size_t kListingNameCapacity = 64 * 1024;     // names of all listings together
constexpr int kListingCapacity = 64;                        // folders

struct FolderStamp {
    dev_t device;
    ino_t inode;
    struct timespec changed;
};

struct FolderListing {
    std::uint32_t folder;  // arena offset of the folder's path
    std::size_t firstName; // its names: index entries firstName .. firstName + nameCount - 1
    std::size_t nameCount;
    bool tooLarge; // its names do not fit: the folder is read at each lookup
    FolderStamp stamp;
};

struct ListingCache {
    char arena[kListingArenaBytes];
    std::size_t arenaUsed;
    std::uint32_t names[kListingNameCapacity]; // arena offsets
    std::size_t nameCount;
    FolderListing listings[kListingCapacity];
    int listingCount;
};

ListingCache gCache;

unsigned char foldAscii(unsigned char byte) {
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

// `a` (NUL-terminated) against the `bLength` bytes of `b` (no NUL among them), ASCII letters
// folded: <0, 0 or >0 as `a` sorts before, with or after `b`.
int compareFolded(const char* a, const char* b, std::size_t bLength) {
    for (std::size_t i = 0;; ++i) {
        const unsigned char x = foldAscii(static_cast<unsigned char>(a[i]));
        if (i == bLength) return x == '\0' ? 0 : 1;
        const unsigned char y = foldAscii(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1; // the end of `a` (0) sorts first
    }
}

// Folded order, and among names equal so, byte order: the first of a run of names equal without
// case is then the first of them in byte order.
bool foldedBefore(std::uint32_t a, std::uint32_t b) {
    const char* x = gCache.arena + a;
    const char* y = gCache.arena + b;
    const int folded = compareFolded(x, y, std::strlen(y));
    return folded != 0 ? folded < 0 : std::strcmp(x, y) < 0;
}

FolderStamp stampOf(const struct stat& info) { return {info.st_dev, info.st_ino, info.st_ctim}; }

bool sameStamp(const FolderStamp& a, const FolderStamp& b) {
    return a.device == b.device && a.inode == b.inode && a.changed.tv_sec == b.changed.tv_sec &&
           a.changed.tv_nsec == b.changed.tv_nsec;
}

// Copies `length` bytes and a NUL into the arena. -1 when they do not fit.
int keepBytes(const char* bytes, std::size_t length, std::uint32_t* at) {
    if (length >= kListingArenaBytes - gCache.arenaUsed) return -1;
    std::memcpy(gCache.arena + gCache.arenaUsed, bytes, length);
    gCache.arena[gCache.arenaUsed + length] = '\0';
    *at = static_cast<std::uint32_t>(gCache.arenaUsed);
    gCache.arenaUsed += length + 1;
    return 0;
}

// Reads the names of the open folder into the index after the listing's path. 0 when every name
// fits and the folder was read to its end; -1 otherwise (what was kept of it is given back).
int keepNames(DIR* dir, FolderListing* listing) {
    const std::size_t arenaBefore = gCache.arenaUsed;
    listing->firstName = gCache.nameCount;
    for (;;) {
        errno = 0;
        const struct dirent* entry = readdir(dir);
        if (entry == nullptr) {
            if (errno == 0) break;
        } else if (gCache.nameCount < kListingNameCapacity &&
                   keepBytes(entry->d_name, std::strlen(entry->d_name),
                             &gCache.names[gCache.nameCount]) == 0) {
            ++gCache.nameCount;
            continue;
        }
        gCache.arenaUsed = arenaBefore;
        gCache.nameCount = listing->firstName;
        return -1;
    }
    listing->nameCount = gCache.nameCount - listing->firstName;
    std::uint32_t* first = gCache.names + listing->firstName;
    std::sort(first, first + listing->nameCount, foldedBefore);
    return 0;
}

// Reads `folder` as a new listing. 0 and its names; 1 when they do not fit (remembered); -1 when
// the folder cannot be read.
int readListing(const char* folder, FolderNames* names) {
    if (gCache.listingCount == kListingCapacity) forgetFolderListings();
    DIR* dir = opendir(folder[0] == '\0' ? "." : folder);
    if (dir == nullptr) return -1;
    // The stamp before the names: a change while they are read makes the next lookup read again.
    struct stat info;
    if (fstat(dirfd(dir), &info) != 0) {
        closedir(dir);
        return -1;
    }
    FolderListing& listing = gCache.listings[gCache.listingCount];
    listing.stamp = stampOf(info);
    const bool alone = gCache.listingCount == 0;
    // A folder's path (at most 4096 bytes) always fits the room of a first listing.
    const bool pathKept = keepBytes(folder, std::strlen(folder), &listing.folder) == 0;
    listing.tooLarge = !pathKept || keepNames(dir, &listing) != 0;
    closedir(dir);
    if (listing.tooLarge && !alone) {
        // What other folders hold may be all that keeps this one out: it gets the whole room.
        forgetFolderListings();
        return readListing(folder, names);
    }
    if (!pathKept) return 1;
    ++gCache.listingCount;
    if (listing.tooLarge) return 1;
    *names = {gCache.arena, gCache.names + listing.firstName, listing.nameCount};
    return 0;
}

} // namespace

int listFolder(const char* folder, FolderNames* names) {
    struct stat info;
    if (stat(folder[0] == '\0' ? "." : folder, &info) != 0) return -1;
    for (int i = 0; i < gCache.listingCount; ++i) {
        const FolderListing& listing = gCache.listings[i];
        if (std::strcmp(gCache.arena + listing.folder, folder) != 0) continue;
        if (!sameStamp(listing.stamp, stampOf(info))) {
            forgetFolderListings(); // changed since: every listing is read anew
            break;
        }
        if (listing.tooLarge) return 1;
        *names = {gCache.arena, gCache.names + listing.firstName, listing.nameCount};
        return 0;
    }
    return readListing(folder, names);
}

void foldedRange(const FolderNames& names, const char* name, std::size_t length, std::size_t* first,
                 std::size_t* end) {
    const std::uint32_t* begin = names.sorted;
    const std::uint32_t* stop = names.sorted + names.count;
    const std::uint32_t* low = std::partition_point(begin, stop, [&](std::uint32_t at) {
        return compareFolded(names.arena + at, name, length) < 0;
    });
    const std::uint32_t* high = std::partition_point(low, stop, [&](std::uint32_t at) {
        return compareFolded(names.arena + at, name, length) == 0;
    });
    *first = static_cast<std::size_t>(low - begin);
    *end = static_cast<std::size_t>(high - begin);
}

} // namespace posix

void forgetFolderListings() {
    posix::gCache.arenaUsed = 0;
    posix::gCache.nameCount = 0;
    posix::gCache.listingCount = 0;
}

} // namespace platform
