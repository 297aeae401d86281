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

// `length` Shift-JIS bytes as they are (a NUL among them too): the converters' trace, which the
// program hands to text/ with setTextTracePrinter.
void consolePrintBytes(const char* bytes, std::size_t length);

// The trace is what consolePrint and consolePrintUtf8 print: the reader's report, the lists and
// questions of the interactive run. A check of a collection leaves it off (it is shown until
// then) and prints its report alone, through the two functions below.
void consoleShowTrace(bool shown);
// printf-like, Shift-JIS like consolePrint, printed whether the trace is shown or not.
void reportPrint(const char* format, ...) QV_PRINTF_LIKE(1, 2);
// Bytes that are UTF-8 already (JSON), printed unchanged whatever the terminal's encoding.
void reportWriteUtf8(const char* bytes, std::size_t length);
// printf-like, Shift-JIS: one line to standard error (after what standard output holds so far).
void errorPrint(const char* format, ...) QV_PRINTF_LIKE(1, 2);

// Test seam: while set, every console byte is also appended to this capture (and cut at its
// capacity), so unit tests can compare what a function printed.
struct ConsoleCapture {
    char* buffer;
    std::size_t capacity;
    std::size_t used;
};
void consoleSetCapture(ConsoleCapture* capture);
