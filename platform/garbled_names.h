// The names a Japanese archive's files arrive under when it is unpacked with the wrong code page.
// Such an archive stores its names as Shift-JIS bytes without saying so; an unzip tool that reads
// them as code page 437 or as Latin-1 (or code page 1252) makes other characters of them, one
// that takes names as bytes leaves them raw (no UTF-8 at all), and an archive made with UTF-8
// names, unpacked on a Japanese system, has them read as Shift-JIS. The lookups (POSIX and
// Windows) build each garbling of the name they want and compare: a name on disk that merely
// decodes proves nothing. Shared by platform/posix/ and platform/win32/; nothing else uses it.
#pragma once

#include <cstddef>

#include "platform/platform.h"

namespace platform {

// The garblings, in the order the lookups try them: code page 437, Latin-1, code page 1252, raw
// bytes, UTF-8 read as Shift-JIS.
constexpr int kGarbledFormCount = 5;

// Garbling `form` of the name `wanted` (one name, UTF-8, as the model spells it) in `out`, as
// UTF-8 (the raw form: the Shift-JIS bytes themselves), and the kind it is reported as in `how`
// (code page 1252 as Latin-1). 0; -1 when no unpacking spells the name so: an ASCII name is its
// own garbling, a name holding a character code page 932 gives no code (or `wanted` is no
// UTF-8) has no Shift-JIS bytes, and UTF-8 bytes that do not all read as Shift-JIS characters
// give no name; or when it does not fit `capacity`.
int garbledName(int form, const char* wanted, char* out, std::size_t capacity, Garbling* how);

} // namespace platform
