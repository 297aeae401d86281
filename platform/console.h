// The console front: every line the program prints is formatted here and handed to the
// platform's console sink (platform::consoleWrite). Nothing else writes to standard output.
#pragma once

#include <cstddef>

#if defined(__GNUC__)
#define QV_PRINTF_LIKE(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define QV_PRINTF_LIKE(fmt, args)
#endif

// printf-like; the text is Shift-JIS (the program's own texts and the names it shows).
void consolePrint(const char* format, ...) QV_PRINTF_LIKE(1, 2);

// A text composed in UTF-8 (an English message text): a UTF-8 terminal receives it unchanged.
void consolePrintUtf8(const char* text);

// Test seam: while set, every console byte is also appended to this capture (and cut at its
// capacity), so unit tests can compare what a function printed.
struct ConsoleCapture {
    char* buffer;
    std::size_t capacity;
    std::size_t used;
};
void consoleSetCapture(ConsoleCapture* capture);
