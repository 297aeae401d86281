// The converters' trace printer (see text_trace.h): one formatted piece at a time.
#include "text/text_trace.h"

#include <cstdarg>
#include <cstdio>

namespace {

TextTracePrinter gPrinter = nullptr;
// A trace piece is a few bytes of hexadecimal and words.
char gPiece[256];

} // namespace

void setTextTracePrinter(TextTracePrinter printer) { gPrinter = printer; }

void textTrace(const char* format, ...) {
    if (gPrinter == nullptr) return; // not even formatted: nobody reads it
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(gPiece, sizeof gPiece, format, args);
    va_end(args);
    if (n < 0) return;
    const std::size_t length = static_cast<std::size_t>(n) < sizeof gPiece ? static_cast<std::size_t>(n) : sizeof gPiece - 1;
    gPrinter(gPiece, length);
}
