// File names without ASCII case, as a Windows file system matches them, without regard to
// composition, as names unpacked from a macOS archive need (decomposed there, composed in the
// model), and at last without regard to the JIS / code page 932 variants (a wave dash typed on
// Linux, a full-width tilde stored on Windows): a path that does not exist as spelled is looked
// up component by component in its folders, each searched in its listing (folder_listings.cpp:
// read once per model). Asked for it, a last tier finds a name garbled by an unpacking with the
// wrong code page (garbled_names.h). Outside form only (UTF-8, slashes); the code-page boundary
// is in codepage.cpp.
#include <dirent.h>
#include <sys/stat.h>

#include <cstring>

#include "platform/garbled_names.h"
#include "platform/posix/boundary.h"
#include "text/composition.h"
#include "text/jis_variants.h"

namespace platform {
namespace posix {
namespace {

unsigned char foldAscii(unsigned char byte) {
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

// Equal when only the case of ASCII letters differs; every other byte (the bytes of a UTF-8
// sequence among them) must be the same.
bool equalNoCase(const char* a, const char* b, std::size_t bLength) {
    std::size_t i = 0;
    for (; i < bLength; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        if (x == '\0') return false;
        if (foldAscii(x) != foldAscii(static_cast<unsigned char>(b[i]))) return false;
    }
    return a[i] == '\0';
}

bool exists(const char* path) {
    struct stat info;
    return lstat(path, &info) == 0;
}

// Appends `length` bytes of `piece` to the path being built. -1 when it would not fit.
int appendBytes(char* built, std::size_t& used, std::size_t capacity, const char* piece,
                std::size_t length) {
    if (length >= capacity - used) return -1;
    std::memcpy(built + used, piece, length);
    used += length;
    built[used] = '\0';
    return 0;
}

bool isAsciiBytes(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    return true;
}

bool isAscii(const char* text) { return isAsciiBytes(text, std::strlen(text)); }

// How well an entry's name matches the wanted one; a better match wins over any number of
// lesser ones.
enum class Match { None, Variant, Composed, NoCase };

// The wanted name as given, composed, and composed with the variants folded.
struct WantedName {
    const char* given;
    std::size_t givenLength;
    char composed[kOutsidePathBytes];
    char folded[kOutsidePathBytes];
};

// `composed` is room to compose the entry's name in (and fold it).
Match matchOf(const char* entry, const WantedName& wanted, char* composed, std::size_t composedCapacity) {
    if (equalNoCase(entry, wanted.given, wanted.givenLength)) return Match::NoCase;
    if (isAscii(entry)) // its own composed and folded form
        return equalNoCase(entry, wanted.composed, std::strlen(wanted.composed)) ? Match::Composed : Match::None;
    std::size_t length = std::strlen(entry);
    if (length >= composedCapacity) return Match::None;
    std::memcpy(composed, entry, length + 1);
    composeUtf8(composed);
    if (equalNoCase(composed, wanted.composed, std::strlen(wanted.composed))) return Match::Composed;
    foldJisVariants(composed);
    return equalNoCase(composed, wanted.folded, std::strlen(wanted.folded)) ? Match::Variant : Match::None;
}

// The best entry met so far for one wanted name.
struct Search {
    WantedName wanted;
    char composedEntry[kOutsidePathBytes]; // room to compose an entry's name in
    char* found;
    std::size_t foundCapacity;
    Match best;
};

void consider(Search& search, const char* entry) {
    Match match = matchOf(entry, search.wanted, search.composedEntry, sizeof search.composedEntry);
    if (match == Match::None || match < search.best) return;
    if (match == search.best && std::strcmp(entry, search.found) >= 0) return;
    std::size_t length = std::strlen(entry);
    if (length >= search.foundCapacity) return;
    std::memcpy(search.found, entry, length + 1);
    search.best = match;
}

void considerKept(Search& search, const FolderNames& names) {
    std::size_t first = 0, end = names.count;
    // An ASCII name is its own composed and folded form, and no name holding another byte
    // composes or folds to ASCII: only the names equal to it without case can match.
    if (isAsciiBytes(search.wanted.given, search.wanted.givenLength))
        foldedRange(names, search.wanted.given, search.wanted.givenLength, &first, &end);
    for (std::size_t i = first; i < end; ++i) consider(search, names.arena + names.sorted[i]);
}

// The first name of the folder, in byte order, that equals `form` without ASCII case.
bool findForm(const char* folder, const FolderNames* names, const char* form, char* found, std::size_t foundCapacity) {
    const std::size_t length = std::strlen(form);
    if (length >= foundCapacity) return false;
    if (names != nullptr) {
        std::size_t first = 0, end = 0;
        foldedRange(*names, form, length, &first, &end);
        if (first == end) return false;
        const char* name = names->arena + names->sorted[first];
        std::memcpy(found, name, std::strlen(name) + 1);
        return true;
    }
    DIR* dir = opendir(folder[0] == '\0' ? "." : folder);
    if (dir == nullptr) return false;
    bool any = false;
    while (struct dirent* entry = readdir(dir)) {
        if (!equalNoCase(entry->d_name, form, length)) continue;
        if (any && std::strcmp(entry->d_name, found) >= 0) continue;
        std::memcpy(found, entry->d_name, length + 1);
        any = true;
    }
    closedir(dir);
    return any;
}

// The last tier: the first garbling of the wanted name (in the order garbled_names.h gives) that
// names an entry of the folder.
bool findGarbled(const char* folder, const FolderNames* names, const char* wanted, char* found,
                 std::size_t foundCapacity, Garbling* how) {
    static char form[kOutsidePathBytes];
    for (int f = 0; f < kGarbledFormCount; ++f) {
        if (garbledName(f, wanted, form, sizeof form, how) == 0 && findForm(folder, names, form, found, foundCapacity))
            return true;
    }
    return false;
}

} // namespace

int lookUpName(const char* folder, const char* name, std::size_t nameLength, char* found, std::size_t foundCapacity,
               bool garbled, Garbling* how) {
    static Search search;
    *how = Garbling::None;
    WantedName& wanted = search.wanted;
    if (nameLength >= sizeof wanted.composed) return -1;
    wanted.given = name;
    wanted.givenLength = nameLength;
    std::memcpy(wanted.composed, name, nameLength);
    wanted.composed[nameLength] = '\0';
    composeUtf8(wanted.composed);
    std::memcpy(wanted.folded, wanted.composed, std::strlen(wanted.composed) + 1);
    foldJisVariants(wanted.folded);
    search.found = found;
    search.foundCapacity = foundCapacity;
    search.best = Match::None;

    FolderNames names;
    const int listed = listFolder(folder, &names);
    if (listed < 0) return -1;
    if (listed == 0) {
        considerKept(search, names);
    } else {
        // Too many names to keep: the folder is read for this lookup alone.
        DIR* dir = opendir(folder[0] == '\0' ? "." : folder);
        if (dir == nullptr) return -1;
        while (struct dirent* entry = readdir(dir)) consider(search, entry->d_name);
        closedir(dir);
    }
    if (search.best != Match::None) return 0;
    if (garbled && findGarbled(folder, listed == 0 ? &names : nullptr, wanted.composed, found, foundCapacity, how))
        return 0;
    *how = Garbling::None;
    return -1;
}

int resolveNoCase(char* path, std::size_t capacity, bool lastMayBeMissing) {
    if (path == nullptr || path[0] == '\0') return -1;
    if (exists(path)) return 0;

    char built[kOutsidePathBytes];
    char found[kOutsidePathBytes];
    std::size_t used = 0;
    built[0] = '\0';
    const char* cursor = path;
    if (*cursor == '/') {
        appendBytes(built, used, sizeof built, "/", 1);
        while (*cursor == '/') ++cursor;
    }
    while (*cursor != '\0') {
        const char* end = std::strchr(cursor, '/');
        std::size_t length = end != nullptr ? static_cast<std::size_t>(end - cursor)
                                            : std::strlen(cursor);
        const char* next = cursor + length;
        while (*next == '/') ++next;
        bool last = *next == '\0';
        std::size_t folderUsed = used;

        if (appendBytes(built, used, sizeof built, cursor, length) != 0) return -1;
        bool special = (length == 1 && cursor[0] == '.') ||
                       (length == 2 && cursor[0] == '.' && cursor[1] == '.');
        if (!special && !exists(built)) {
            // Not there as spelled: look among the folder's entries.
            used = folderUsed;
            built[used] = '\0';
            Garbling how;
            if (lookUpName(built, cursor, length, found, sizeof found, false, &how) == 0) {
                if (appendBytes(built, used, sizeof built, found, std::strlen(found)) != 0)
                    return -1;
            } else if (last && lastMayBeMissing) {
                if (appendBytes(built, used, sizeof built, cursor, length) != 0) return -1;
            } else {
                return -1;
            }
        }
        // Keep one separator after a folder, also a trailing one the caller wrote.
        if (*(cursor + length) == '/') {
            if (appendBytes(built, used, sizeof built, "/", 1) != 0) return -1;
        }
        cursor = next;
    }
    if (used >= capacity) return -1;
    std::memcpy(path, built, used + 1);
    return 0;
}

} // namespace posix
} // namespace platform
