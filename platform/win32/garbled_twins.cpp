// Files found, and put right, under names garbled by an unpacking with the wrong code page on
// Windows (see platform.h). The file system matches names without case itself, so each name of a
// link is tried as spelled and then as each of its garblings (garbled_names.h) by asking whether
// it exists; a raw name cannot exist in UTF-16. A rename is MoveFileExW without
// MOVEFILE_REPLACE_EXISTING, so it never replaces; the held model, opened without
// FILE_SHARE_DELETE, cannot be renamed; and no name inside a reparse point (a link or junction,
// which may lead anywhere) is renamed.
#include <windows.h>

#include <cstring>
#include <cwchar>

#include "platform/garbled_names.h"
#include "platform/platform.h"
#include "platform/win32/wide_names.h"
#include "text/convert.h"
#include "text/inside_text.h"

namespace platform {
namespace {

constexpr std::size_t kNameBytes = 1024; // a name in the inside form, or in UTF-8

// A link's path below the model's folder, taken name by name.
struct LinkNames {
    wchar_t path[win32::kWidePathUnits]; // the folder, then each name as found on disk
    const char* cursor;                  // the rest of the link, inside form
    char name[kNameBytes];               // the wanted name, inside form
    char found[kNameBytes];              // the name on disk, inside form
    char utf8[kNameBytes];
    char garbled[kNameBytes];
};

LinkNames gNames;

int beginNames(const char* folder, const char* relative) {
    if (win32::toWide(folder, gNames.path, win32::kWidePathUnits) != 0) return -1;
    const std::size_t length = std::wcslen(gNames.path);
    if (length == 0 || (gNames.path[length - 1] != L'\\' && gNames.path[length - 1] != L'/')) {
        if (length + 1 >= win32::kWidePathUnits) return -1;
        gNames.path[length] = L'\\';
        gNames.path[length + 1] = 0;
    }
    gNames.cursor = relative;
    return 0;
}

// The next wanted name in gNames.name (the bytes up to a backslash that is a character of its
// own): 1; 0 at the end; -1 for "." or "..", or a name too long.
int nextName(bool* last) {
    while (*gNames.cursor == '\\') ++gNames.cursor;
    if (*gNames.cursor == '\0') return 0;
    std::size_t length = 0;
    while (gNames.cursor[length] != '\0' && gNames.cursor[length] != '\\')
        length += insideCharacterBytes(gNames.cursor + length);
    if (length >= sizeof gNames.name) return -1;
    std::memcpy(gNames.name, gNames.cursor, length);
    gNames.name[length] = '\0';
    gNames.cursor += length;
    while (*gNames.cursor == '\\') ++gNames.cursor;
    *last = *gNames.cursor == '\0';
    if (std::strcmp(gNames.name, ".") == 0 || std::strcmp(gNames.name, "..") == 0) return -1;
    return 1;
}

// The attributes of gNames.path followed by the inside name `name`, or INVALID_FILE_ATTRIBUTES;
// gNames.path is left as it was.
DWORD attributesOf(const char* name) {
    const std::size_t used = std::wcslen(gNames.path);
    if (win32::toWide(name, gNames.path + used, win32::kWidePathUnits - used) != 0) return INVALID_FILE_ATTRIBUTES;
    const DWORD attributes = GetFileAttributesW(gNames.path);
    gNames.path[used] = 0;
    return attributes;
}

// The entry for gNames.name in the folder gNames.path names: as spelled, else as a garbling of it
// (`how`). Its name in gNames.found and its attributes: 0, or -1.
int findEntry(Garbling* how, DWORD* attributes) {
    *how = Garbling::None;
    *attributes = attributesOf(gNames.name);
    if (*attributes != INVALID_FILE_ATTRIBUTES) {
        std::memcpy(gNames.found, gNames.name, std::strlen(gNames.name) + 1);
        return 0;
    }
    if (sjisToUtf8Quiet(gNames.utf8, sizeof gNames.utf8, gNames.name, OutsideUse::Path) != 0) return -1;
    for (int f = 0; f < kGarbledFormCount; ++f) {
        if (garbledName(f, gNames.utf8, gNames.garbled, sizeof gNames.garbled, how) != 0 ||
            utf8NameToInside(gNames.found, sizeof gNames.found, gNames.garbled) != 0)
            continue;
        *attributes = attributesOf(gNames.found);
        if (*attributes != INVALID_FILE_ATTRIBUTES) return 0;
    }
    *how = Garbling::None;
    return -1;
}

// Appends the inside name `name` and a separator to gNames.path. 0 or -1.
int appendName(const char* name) {
    const std::size_t used = std::wcslen(gNames.path);
    if (win32::toWide(name, gNames.path + used, win32::kWidePathUnits - used) != 0) return -1;
    const std::size_t length = std::wcslen(gNames.path);
    if (length + 1 >= win32::kWidePathUnits) return -1;
    gNames.path[length] = L'\\';
    gNames.path[length + 1] = 0;
    return 0;
}

} // namespace

int findGarbledTwin(const char* folder, const char* relative, char* out, std::size_t capacity, Garbling* how) {
    if (folder == nullptr || relative == nullptr || out == nullptr || how == nullptr || capacity == 0) return -1;
    *how = Garbling::None;
    out[0] = '\0';
    if (beginNames(folder, relative) != 0) return -1;
    std::size_t used = 0;
    bool last = false;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    for (int got; (got = nextName(&last)) != 0;) {
        Garbling kind;
        if (got < 0 || findEntry(&kind, &attributes) != 0 || appendName(gNames.found) != 0) return -1;
        if (*how == Garbling::None) *how = kind;
        const std::size_t length = std::strlen(gNames.found);
        if (length + 2 > capacity - used) return -1;
        std::memcpy(out + used, gNames.found, length);
        used += length;
        out[used++] = last ? '\0' : '\\';
    }
    out[used] = '\0';
    if (*how == Garbling::None || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        out[0] = '\0';
        return -1;
    }
    return 0;
}

int renameGarbledNames(const char* folder, const char* relative) {
    if (folder == nullptr || relative == nullptr || beginNames(folder, relative) != 0) return -1;
    static wchar_t from[win32::kWidePathUnits];
    int renamed = 0;
    bool last = false;
    for (int got; (got = nextName(&last)) != 0;) {
        Garbling how;
        DWORD attributes;
        if (got < 0 || findEntry(&how, &attributes) != 0) return -1;
        const char* name = gNames.found;
        if (how != Garbling::None) {
            const std::size_t used = std::wcslen(gNames.path);
            std::wmemcpy(from, gNames.path, used + 1);
            if (win32::toWide(gNames.found, from + used, win32::kWidePathUnits - used) != 0 || appendName(gNames.name) != 0)
                return -1;
            gNames.path[std::wcslen(gNames.path) - 1] = 0; // the separator appendName put
            const BOOL moved = MoveFileExW(from, gNames.path, 0);
            gNames.path[used] = 0;
            if (!moved) return -1;
            ++renamed;
            name = gNames.name;
        }
        if (last) return renamed;
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || appendName(name) != 0) return -1;
    }
    return -1;
}

} // namespace platform
