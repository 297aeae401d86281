// Win32 console sink: the program's console bytes go to standard output as the ANSI code page
// shows them (escapes of the inside form as their code page 932 code or "?"); the C runtime's
// text mode turns each "\n" into "\r\n" as every console program of the system does.
#include <cstdio>

#include "platform/platform.h"
#include "text/inside_text.h"

namespace platform {
namespace {

// A console line as the front formats it (platform/console.cpp): pieces never cut an escape.
constexpr std::size_t kShownPieceBytes = 8192;

} // namespace

// On Windows the console shows the ANSI code page, so both kinds of text pass unchanged
// (an English message text composed in UTF-8 included, as in the message box).
void consoleWrite(const char* bytes, std::size_t length, bool alreadyUtf8) {
    if (alreadyUtf8 || !holdsEscape(bytes, length)) {
        std::fwrite(bytes, 1, length, stdout);
        return;
    }
    static char shown[kShownPieceBytes];
    for (std::size_t at = 0; at < length; at += kShownPieceBytes) {
        const std::size_t piece = length - at < kShownPieceBytes ? length - at : kShownPieceBytes;
        std::fwrite(shown, 1, insideBytesToShownSjis(shown, bytes + at, piece), stdout);
    }
}

void consoleFlush() { std::fflush(stdout); }

} // namespace platform
