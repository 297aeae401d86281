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

} // namespace

void consolePrint(const char* format, ...) {
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(gLine, sizeof gLine, format, args);
    va_end(args);
    if (n < 0) return;
    std::size_t length = static_cast<std::size_t>(n);
    if (length >= sizeof gLine) length = sizeof gLine - 1; // cut, never overrun
    emit(gLine, length, false);
}

void consolePrintUtf8(const char* text) {
    emit(text, std::strlen(text), true);
}

void consoleSetCapture(ConsoleCapture* capture) {
    gCapture = capture;
    if (capture != nullptr && capture->capacity > 0) {
        capture->used = 0;
        capture->buffer[0] = '\0';
    }
}
