// Win32 console sink. In Japanese mode the program's console bytes go to standard output as the
// code page 932 console shows them (escapes of the inside form as their code or "?"). In English
// mode the text reaches the console as the characters it holds: WriteConsoleW when standard
// output is a console; redirected, the system's ANSI code page for the program's own lines (a
// character the code page lacks becomes "?") and the bytes as they are for a message text
// composed in UTF-8. Control characters are shown as "\x1b" either way; the C runtime's text
// mode turns each "\n" into "\r\n" as every console program of the system does.
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/terminal_text.h"
#include "text/convert.h"
#include "text/inside_text.h"
#include "text/language.h"
#include "text/shown_controls.h"

namespace platform {
namespace {

// A console line as the front formats it (platform/console.cpp): pieces never cut an escape.
constexpr std::size_t kShownPieceBytes = 8192;
// English mode converts in pieces of this many inside bytes, cut between characters.
constexpr std::size_t kEnglishPieceBytes = 1024;
// An inside byte takes at most three UTF-8 bytes, a UTF-8 byte at most four shown ones (a
// control character), and a shown byte at most one UTF-16 unit or two ANSI bytes.
constexpr std::size_t kUtf8Bytes = 3 * kEnglishPieceBytes + 8;
constexpr std::size_t kEscapedBytes = kShownControlBytes * kUtf8Bytes;

bool gFailed = false;
char gPiece[kEnglishPieceBytes + 8];
char gUtf8[kUtf8Bytes];
char gEscaped[kEscapedBytes + 1];
wchar_t gWide[kEscapedBytes + 1];
char gAnsi[2 * kEscapedBytes + 1];

// Standard output lost bytes (a full disk, a closed pipe): said once.
void checkWritten() {
    if (gFailed || !std::ferror(stdout)) return;
    const int error = errno;
    gFailed = true;
    std::fprintf(stderr, "Cannot write console output : %s\n", std::strerror(error));
}

bool outputIsConsole() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

// UTF-8 text (no NUL) as the English console takes it.
void writeUtf8(const char* utf8, std::size_t length, bool composedInUtf8) {
    const std::size_t escaped = showControls(gEscaped, utf8, length, true);
    gEscaped[escaped] = '\0';
    const bool console = outputIsConsole();
    if (!console && composedInUtf8) {
        std::fwrite(gEscaped, 1, escaped, stdout);
        return;
    }
    const int units = MultiByteToWideChar(CP_UTF8, 0, gEscaped, static_cast<int>(escaped), gWide,
                                          static_cast<int>(sizeof gWide / sizeof gWide[0]));
    if (units <= 0) return;
    if (console) {
        std::fflush(stdout); // what the runtime holds comes first
        DWORD written = 0;
        WriteConsoleW(GetStdHandle(STD_OUTPUT_HANDLE), gWide, static_cast<DWORD>(units), &written, nullptr);
        return;
    }
    const int bytes = WideCharToMultiByte(CP_ACP, 0, gWide, units, gAnsi, static_cast<int>(sizeof gAnsi), "?", nullptr);
    if (bytes > 0) std::fwrite(gAnsi, 1, static_cast<std::size_t>(bytes), stdout);
}

// English mode: each run between NULs (a NUL goes out on its own), in pieces cut between
// characters.
void writeEnglish(const char* bytes, std::size_t length, bool composedInUtf8) {
    std::size_t i = 0;
    while (i < length) {
        if (bytes[i] == '\0') {
            std::fputc('\0', stdout);
            ++i;
            continue;
        }
        std::size_t n = 0;
        while (i + n < length && bytes[i + n] != '\0' && n < kEnglishPieceBytes + 4) ++n;
        std::memcpy(gPiece, bytes + i, n);
        gPiece[n] = '\0';
        std::size_t whole = 0;
        while (whole < n && whole < kEnglishPieceBytes) whole += composedInUtf8 ? 1 : insideCharacterBytes(gPiece + whole);
        gPiece[whole] = '\0';
        if (composedInUtf8) {
            writeUtf8(gPiece, whole, true);
        } else {
            sjisToUtf8Quiet(gUtf8, sizeof gUtf8, gPiece, OutsideUse::Shown);
            writeUtf8(gUtf8, std::strlen(gUtf8), false);
        }
        i += whole;
    }
}

} // namespace

void consoleWrite(const char* bytes, std::size_t length, bool alreadyUtf8) {
    if (!japaneseMode()) {
        writeEnglish(bytes, length, alreadyUtf8);
    } else if (alreadyUtf8 || !holdsEscape(bytes, length)) {
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
