// The console front: formats a line into one static buffer and hands it to the sink.
// No system header here; the sink (platform/*/console_sink.cpp) writes the bytes.
#include "platform/console.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace {

// Large enough for the longest line the program formats: a 520-byte message text, or a few
// 260-byte paths with their words.
constexpr std::size_t kConsoleLineBytes = 8192;
char gLine[kConsoleLineBytes];
ConsoleCapture* gCapture = nullptr;
bool gTraceShown = true;

void emit(const char* bytes, std::size_t length, bool alreadyUtf8) {
    if (gCapture != nullptr && gCapture->capacity > 0) {
        std::size_t room = gCapture->capacity - 1 - gCapture->used;
        std::size_t take = length < room ? length : room;
        std::memcpy(gCapture->buffer + gCapture->used, bytes, take);
        gCapture->used += take;
        gCapture->buffer[gCapture->used] = '\0';
    }
    platform::consoleWrite(bytes, length, alreadyUtf8);
}

// Formats into gLine; the length formatted, or -1.
int formatLine(const char* format, va_list args) {
    int n = std::vsnprintf(gLine, sizeof gLine, format, args);
    if (n < 0) return -1;
    if (static_cast<std::size_t>(n) >= sizeof gLine) n = static_cast<int>(sizeof gLine - 1); // cut, never overrun
    return n;
}

} // namespace

void consolePrint(const char* format, ...) {
    // A hidden trace is not even formatted: a UTF-8 model's converter traces every byte.
    if (!gTraceShown) return;
    va_list args;
    va_start(args, format);
    int n = formatLine(format, args);
    va_end(args);
    if (n >= 0) emit(gLine, static_cast<std::size_t>(n), false);
}

void consolePrintUtf8(const char* text) {
    if (gTraceShown) emit(text, std::strlen(text), true);
}

void consolePrintBytes(const char* bytes, std::size_t length) {
    if (gTraceShown) emit(bytes, length, false);
}

void consoleShowTrace(bool shown) { gTraceShown = shown; }

void reportPrint(const char* format, ...) {
    va_list args;
    va_start(args, format);
    int n = formatLine(format, args);
    va_end(args);
    if (n >= 0) emit(gLine, static_cast<std::size_t>(n), false);
}

void reportWriteUtf8(const char* bytes, std::size_t length) { emit(bytes, length, true); }

void errorPrint(const char* format, ...) {
    va_list args;
    va_start(args, format);
    int n = formatLine(format, args);
    va_end(args);
    if (n >= 0) platform::errorWrite(gLine);
}

void consoleSetCapture(ConsoleCapture* capture) {
    gCapture = capture;
    if (capture != nullptr && capture->capacity > 0) {
        capture->used = 0;
        capture->buffer[0] = '\0';
    }
}
