// The collected command-line entries: one pool of NUL-terminated texts and a table of where
// each starts. Entry 0 is the program's path; the rest are model paths and option entries.
#pragma once

#include <cstdint>

constexpr int kArgumentPoolBytes = 65536;
constexpr int kArgumentSlots = 512;
constexpr int kArgumentLimit = 511; // command-line arguments taken, the program path included
// Longest text one entry may take: leaves room for its NUL and one spare byte in the pool.
constexpr int kArgumentTextLimit = kArgumentPoolBytes - 3;

struct ArgumentList {
    char pool[kArgumentPoolBytes];
    std::int32_t used;
    std::int32_t starts[kArgumentSlots];
    std::int32_t count;
};

extern ArgumentList gArguments;

void clearArguments();
// Adds one argument: an empty text or one that copies no byte adds nothing; with `quoted` (the
// platform splits no command line for the program: platform::argumentsMayBeQuoted) a text in
// double quotes is taken up to the closing quote (a trail byte is never taken for it). 0, or -1
// when the entry does not fit the rest of the pool or the table: then nothing of it is added.
int collectArgument(const char* text, bool quoted);
// Entry i (0 <= i < count).
const char* argumentEntry(int index);
// An entry whose first byte is "-" or "/".
bool isOptionEntry(const char* entry);
