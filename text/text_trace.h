// Where the converters' traces go (the UTF-8 reading trace, the notices of doubtful Shift-JIS):
// a printer the program hands to text/ at start (its console), so that text/ depends on no layer
// above it. Without a printer nothing is traced.
#pragma once

#include <cstddef>

#if defined(__GNUC__)
#define QV_TRACE_PRINTF_LIKE(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define QV_TRACE_PRINTF_LIKE(fmt, args)
#endif

// Takes `length` bytes of trace (a NUL among them passes as a byte).
using TextTracePrinter = void (*)(const char* bytes, std::size_t length);

void setTextTracePrinter(TextTracePrinter printer);

// printf-like: formats one piece of trace and hands it to the printer.
void textTrace(const char* format, ...) QV_TRACE_PRINTF_LIKE(1, 2);
