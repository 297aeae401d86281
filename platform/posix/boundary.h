// The POSIX layer's own helpers, shared by its files and nothing else: the code-page boundary
// (Shift-JIS with backslashes inside, UTF-8 with slashes outside) and the file-name lookup
// without ASCII case and composition.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

namespace platform {
namespace posix {

// An outside path: what the file system takes (PATH_MAX on Linux).
constexpr std::size_t kOutsidePathBytes = 4096;

// Inside text -> UTF-8 for the terminal, cut at a character boundary when it does not fit. As
// code page 932 reads it, the single byte 0x7E is "~" (the code table alone would make it
// U+203E, an overline, and a message would show another name); what has no character shows "?".
void sjisToUtf8Text(char* out, std::size_t capacity, const char* sjis);

// Inside path -> outside path: the inside form to UTF-8 (escapes as the characters and bytes
// they carry), `\` to `/`. 0, or -1 when the result does not fit `capacity` or the path holds
// what no name can (a cut path, or one with "?" in place of a character, would name another
// file).
int pathToOutside(char* out, std::size_t capacity, const char* inside);

// Outside text -> inside text: UTF-8, composed (a decomposed ガ arrives as the one character
// ガ), to the inside form (lossless: any other character and any byte that is no character are
// escaped), and `/` to `\` unless `keepSlashes`. Cut at a character boundary when it does not
// fit `capacity`, which takes up to three times the outside bytes. 0, or -1 when it was cut.
int textToInside(char* out, std::size_t capacity, const char* outside, bool keepSlashes);

// Turns every single-character `/` of an inside text into `\` (a trail byte is never one).
void slashesToBackslashes(char* inside);

// Looks `path` (outside form, changed in place) up without ASCII case and composition when it
// does not exist as spelled: each component is matched in its folder, an exact match first,
// else the first case-insensitive match in byte order, else the first whose composed form
// matches the component's without case. With `lastMayBeMissing` the final component may name
// nothing yet (a file about to be created) and is then kept as given. 0 when every component
// was found (or the final one may be missing), -1 otherwise (`path` is left unchanged).
int resolveNoCase(char* path, std::size_t capacity, bool lastMayBeMissing);

// One name of `folder` (outside form; empty for the current folder) as resolveNoCase matches a
// component: the entry whose name equals the `nameLength` bytes of `name` without ASCII case, else
// the one whose composed name equals its composed form without ASCII case, else the one equal to it
// with the JIS variants folded too (the first in byte order when several match as well); with
// `garbled`, else the first entry named as a garbling of it (garbled_names.h), and how in `how`
// (None for the other tiers). 0 and the entry's name in `found`, or -1.
int lookUpName(const char* folder, const char* name, std::size_t nameLength, char* found, std::size_t foundCapacity,
               bool garbled, Garbling* how);

// A folder's names as listFolder keeps them: offsets into `arena`, in the order of their bytes
// with ASCII letters folded to upper case, and names equal so in the order of their own bytes.
struct FolderNames {
    const char* arena;
    const std::uint32_t* sorted;
    std::size_t count;
};

// The names of `folder` (outside form; empty for the current folder) for resolveNoCase: kept
// since its first lookup in this model while the folder is unchanged, else read now (and kept).
// 0 and the names; 1 when they do not fit the fixed storage of the listings, so the caller reads
// the folder itself; -1 when the folder cannot be read.
int listFolder(const char* folder, FolderNames* names);

// The names equal to the `length` bytes of `name` without ASCII case: `names.sorted` from
// `*first` up to `*end`.
void foldedRange(const FolderNames& names, const char* name, std::size_t length, std::size_t* first,
                 std::size_t* end);

// Inside path -> resolved outside path, the two steps above. 0 or -1.
int insideToResolved(char* out, std::size_t capacity, const char* inside, bool lastMayBeMissing);

// From a signal handler: writes out the console's buffered bytes unless the handler broke into
// the console's own writing (the buffer is then in no state to be written).
void consoleFlushOnSignal();

} // namespace posix
} // namespace platform
