// Win32 console sink: the program's console bytes go to standard output as the ANSI code page
// shows them (escapes of the inside form as their code page 932 code or "?", control characters
// as "\x1b"); the C runtime's text mode turns each "\n" into "\r\n" as every console program of
// the system does.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/terminal_text.h"
#include "text/inside_text.h"

namespace platform {
namespace {

// A console line as the front formats it (platform/console.cpp): pieces never cut an escape.
constexpr std::size_t kShownPieceBytes = 8192;

bool gFailed = false;

// Standard output lost bytes (a full disk, a closed pipe): said once.
void checkWritten() {
    if (gFailed || !std::ferror(stdout)) return;
    const int error = errno;
    gFailed = true;
    std::fprintf(stderr, "Cannot write console output : %s\n", std::strerror(error));
}

} // namespace

// On Windows the console shows the ANSI code page, so both kinds of text pass unchanged
// (an English message text composed in UTF-8 included, as in the message box), but for their
// control characters.
void consoleWrite(const char* bytes, std::size_t length, bool alreadyUtf8) {
    if (alreadyUtf8 || !holdsEscape(bytes, length)) {
        writeShown(stdout, bytes, length, alreadyUtf8);
    } else {
        static char shown[kShownPieceBytes];
        for (std::size_t at = 0; at < length; at += kShownPieceBytes) {
            const std::size_t piece = length - at < kShownPieceBytes ? length - at : kShownPieceBytes;
            writeShown(stdout, shown, insideBytesToShownSjis(shown, bytes + at, piece), false);
        }
    }
    checkWritten();
}

void consoleFlush() {
    std::fflush(stdout);
    checkWritten();
}

bool consoleFailed() { return gFailed; }

} // namespace platform
