// The Windows layer's side of the code-page boundary: the inside form (Shift-JIS with escapes)
// to the UTF-16 the wide calls take, and back, with the project's own tables, so that every
// name is the same on a system of any code page. Only platform/win32/ uses this header.
#pragma once

#include <windows.h>

#include <cstddef>

namespace platform {
namespace win32 {

// Room for a path in UTF-16 units (MAX_PATH and more: an inside path of 259 bytes never takes
// more units than bytes).
constexpr std::size_t kWidePathUnits = 1024;

// An inside text as UTF-16 in `out` (`units` units, the zero unit included). 0, or -1 when it
// does not fit or holds what no name can (it then names no file).
int toWide(const char* inside, wchar_t* out, std::size_t units);

// A wide text in the inside form in `out` (`capacity` bytes). 0, or -1 when it does not fit.
int fromWide(const wchar_t* wide, char* out, std::size_t capacity);

} // namespace win32
} // namespace platform
