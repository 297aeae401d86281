// What the POSIX layer takes from the locale environment: the user's language and whether the
// terminal expects UTF-8. Read once at start (and again whenever startProcess runs).
#pragma once

#include <cstdint>

namespace platform {
namespace posix {

// Reads LC_ALL, LC_MESSAGES, LC_CTYPE and LANG again.
void readLocale();

// 1041 when the locale name (first set, non-empty of LC_ALL, LC_MESSAGES, LANG) starts with
// "ja", else 1033.
std::uint16_t localeLangId();

// The locale's codeset (after the '.' of LC_ALL, else LC_CTYPE, else LANG) is UTF-8 or utf8 in
// any case: console text is converted from Shift-JIS on its way out, answers on their way in.
bool consoleIsUtf8();

} // namespace posix
} // namespace platform
