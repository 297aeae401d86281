// The characters of the upper half of two single-byte code pages, generated into
// code_page_tables.cpp by tools/gen_code_page_tables.py: code page 437 (DOS, what unzip tools
// read an archive's names in unless it says UTF-8) and code page 1252 (Western Windows). Only
// the names of wrongly unpacked archives (garbled_names.cpp) are built from them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

constexpr std::size_t kCodePageHighBytes = 128; // the bytes 0x80-0xFF

extern const std::uint16_t kCp437High[kCodePageHighBytes];
extern const std::uint16_t kCp1252High[kCodePageHighBytes];

} // namespace platform
