// Code pages the program does not otherwise speak, generated into code_page_tables.cpp by
// tools/gen_code_page_tables.py: the upper halves of code page 437 (DOS, what unzip tools read an
// archive's names in unless it says UTF-8) and code page 1252 (Western Windows), and code page
// 932 as Japanese Windows reads it (its vendors' rows differ from the program's own Shift-JIS
// tables, which follow JIS X 0213). Only the names of wrongly unpacked archives
// (garbled_names.cpp) are built from them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

constexpr std::size_t kCodePageHighBytes = 128; // the bytes 0x80-0xFF

extern const std::uint16_t kCp437High[kCodePageHighBytes];
extern const std::uint16_t kCp1252High[kCodePageHighBytes];
// 0 for a lead byte.
extern const std::uint16_t kCp932High[kCodePageHighBytes];

// Code page 932's pairs: lead bytes 0x81-0x9F and 0xE0-0xFC, trail bytes 0x40-0x7E and 0x80-0xFC,
// in that order; 0 for a pair it does not define.
constexpr std::size_t kCp932LeadCount = 60;
constexpr std::size_t kCp932TrailCount = 188;
extern const std::uint16_t kCp932Pairs[kCp932LeadCount * kCp932TrailCount];

} // namespace platform
