// Files found, and put right, under names garbled by an unpacking with the wrong code page (see
// platform.h): a link's names looked up one by one below the model's folder, each with the last
// tier of the lookup (name_lookup.cpp) allowed. A rename is made relative to the folder it is in,
// opened from the model's folder down without following a link, so it never reaches outside, and
// never replaces: renameat2's RENAME_NOREPLACE, or for a file where the file system lacks it a
// new link and the removal of the old name (which fails too when the name is taken).
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "platform/posix/held_model.h"
#include "text/convert.h"

namespace platform {
namespace {

// A link's path below the model's folder, taken name by name.
struct LinkNames {
    char built[posix::kOutsidePathBytes]; // the folder, then each name as found on disk
    std::size_t folderLength;
    char relative[posix::kOutsidePathBytes]; // the link in outside form
    const char* cursor;
    char name[posix::kOutsidePathBytes]; // the wanted name being looked at
    char found[posix::kOutsidePathBytes];
};

LinkNames gNames;

// The model's folder (with its separator at the end), resolved, and the link in outside form.
// 0 or -1.
int beginNames(const char* folder, const char* relative) {
    if (posix::insideToResolved(gNames.built, sizeof gNames.built, folder, false) != 0 ||
        posix::pathToOutside(gNames.relative, sizeof gNames.relative, relative) != 0)
        return -1;
    gNames.folderLength = std::strlen(gNames.built);
    gNames.cursor = gNames.relative;
    return 0;
}

// The next wanted name in gNames.name: 1; 0 at the end; -1 for "." or "..", which would leave the
// path's own folders.
int nextName(bool* last) {
    while (*gNames.cursor == '/') ++gNames.cursor;
    if (*gNames.cursor == '\0') return 0;
    const char* end = std::strchr(gNames.cursor, '/');
    const std::size_t length = end != nullptr ? static_cast<std::size_t>(end - gNames.cursor) : std::strlen(gNames.cursor);
    std::memcpy(gNames.name, gNames.cursor, length);
    gNames.name[length] = '\0';
    gNames.cursor += length;
    while (*gNames.cursor == '/') ++gNames.cursor;
    *last = *gNames.cursor == '\0';
    if (std::strcmp(gNames.name, ".") == 0 || std::strcmp(gNames.name, "..") == 0) return -1;
    return 1;
}

// The entry for gNames.name in the folder gNames.built names: as spelled when it exists so, else
// as the lookup finds it, garbled or not (`how`). Its name in gNames.found: 0, or -1.
int findEntry(Garbling* how) {
    *how = Garbling::None;
    const std::size_t used = std::strlen(gNames.built);
    const std::size_t length = std::strlen(gNames.name);
    if (length >= sizeof gNames.built - used) return -1;
    std::memcpy(gNames.built + used, gNames.name, length + 1);
    struct stat info;
    const bool spelled = lstat(gNames.built, &info) == 0;
    gNames.built[used] = '\0';
    if (spelled) {
        std::memcpy(gNames.found, gNames.name, length + 1);
        return 0;
    }
    return posix::lookUpName(gNames.built, gNames.name, length, gNames.found, sizeof gNames.found, true, how);
}

// Appends `name` and, unless it is the last, a separator to gNames.built. 0 or -1.
int appendName(const char* name, bool last) {
    const std::size_t used = std::strlen(gNames.built);
    const std::size_t length = std::strlen(name);
    if (length + 2 > sizeof gNames.built - used) return -1;
    std::memcpy(gNames.built + used, name, length);
    gNames.built[used + length] = last ? '\0' : '/';
    gNames.built[used + length + (last ? 0 : 1)] = '\0';
    return 0;
}

// Renames `from` to `to` in the open folder `folder`, never replacing what `to` names.
int renameNoReplace(int folder, const char* from, const char* to, bool isFolder) {
#if defined(RENAME_NOREPLACE)
    if (renameat2(folder, from, folder, to, RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return -1;
#endif
    // A folder cannot be given a second name to take the first one away.
    if (isFolder || linkat(folder, from, folder, to, 0) != 0) return -1;
    return unlinkat(folder, from, 0);
}

} // namespace

int findGarbledTwin(const char* folder, const char* relative, char* out, std::size_t capacity, Garbling* how) {
    if (folder == nullptr || relative == nullptr || out == nullptr || how == nullptr || capacity == 0) return -1;
    *how = Garbling::None;
    out[0] = '\0';
    if (beginNames(folder, relative) != 0) return -1;
    bool last = false;
    for (int got; (got = nextName(&last)) != 0;) {
        Garbling kind;
        if (got < 0 || findEntry(&kind) != 0 || appendName(gNames.found, last) != 0) return -1;
        if (*how == Garbling::None) *how = kind;
    }
    struct stat info;
    if (*how == Garbling::None || stat(gNames.built, &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    // A raw name holding the byte 0x5C (the trail byte of ソ or 表) would be split inside.
    if (std::strchr(gNames.built + gNames.folderLength, '\\') != nullptr) return 1;
    // The names as they are on disk, byte for byte.
    if (utf8NameToInside(out, capacity, gNames.built + gNames.folderLength) != 0) {
        out[0] = '\0';
        return -1;
    }
    posix::slashesToBackslashes(out);
    return 0;
}

int renameGarbledNames(const char* folder, const char* relative) {
    if (folder == nullptr || relative == nullptr || beginNames(folder, relative) != 0) return -1;
    int at = open(gNames.built, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int renamed = 0;
    bool last = false;
    for (int got; at >= 0 && (got = nextName(&last)) != 0;) {
        Garbling how;
        if (got < 0 || findEntry(&how) != 0) break;
        const char* name = gNames.found;
        if (how != Garbling::None) {
            struct stat info;
            if (fstatat(at, gNames.found, &info, AT_SYMLINK_NOFOLLOW) != 0 || posix::isHeldModel(info.st_dev, info.st_ino) ||
                renameNoReplace(at, gNames.found, gNames.name, S_ISDIR(info.st_mode)) != 0)
                break;
            ++renamed;
            name = gNames.name;
        }
        if (appendName(name, last) != 0) break;
        if (last) {
            close(at);
            return renamed;
        }
        const int next = openat(at, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        close(at);
        at = next;
    }
    if (at >= 0) close(at);
    return -1;
}

} // namespace platform
