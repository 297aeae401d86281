// What reaches the terminal: console and prompt text written with its control characters shown
// (text/shown_controls.h), so that no name taken from a file or the file system drives the
// terminal.
#pragma once

#include <cstddef>
#include <cstdio>

namespace platform {

// Writes `length` bytes to `stream`, each control character as "\x" and two hex digits; `utf8`
// tells whether the bytes are UTF-8 (C1 characters shown too) or Shift-JIS.
void writeShown(std::FILE* stream, const char* bytes, std::size_t length, bool utf8);

} // namespace platform
