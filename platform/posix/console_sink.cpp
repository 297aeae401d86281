// POSIX console sink: the program's console bytes to standard output, converted from the inside
// form to UTF-8 when the locale's codeset is UTF-8, else as plain Shift-JIS: unchanged (what the
// byte-exact tests use) but for escapes, which show as their code page 932 code or "?". Either
// way control characters are shown escaped (terminal_text.h), and a lost write is reported once.
#include <signal.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "platform/posix/locale_settings.h"
#include "platform/terminal_text.h"
#include "text/inside_text.h"
#include "text/sjis_tables.h"

namespace platform {
namespace {

// Inside-form bytes converted per step; UTF-8 takes at most three bytes for each.
constexpr std::size_t kChunkBytes = 1024;
// Room after a full chunk for the character that filled it: a pair or a whole escape.
constexpr std::size_t kChunkSlack = 8;
// A console line as the front formats it.
constexpr std::size_t kShownPieceBytes = 8192;

// Set while standard output's buffer is being changed; a signal handler leaves it alone then.
volatile sig_atomic_t gWriting = 0;

// A lead byte that ended the previous piece: its trail byte starts the next one.
bool gHasPendingLead = false;
char gPendingLead = 0;

bool gFailed = false;

// Standard output lost bytes (a full disk, a pipe closed while SIGPIPE is ignored): said once.
void checkWritten() {
    if (gFailed || !std::ferror(stdout)) return;
    const int error = errno;
    gFailed = true;
    std::fprintf(stderr, "Cannot write console output : %s\n", std::strerror(error));
}

void writeConverted(char* chunk, std::size_t length) {
    if (length == 0) return;
    static char utf8[3 * (kChunkBytes + kChunkSlack) + 1];
    chunk[length] = '\0';
    posix::sjisToUtf8Text(utf8, sizeof utf8, chunk);
    writeShown(stdout, utf8, std::strlen(utf8), true);
}

// The width of a whole escape at `bytes` within `length` bytes, else 0.
std::size_t escapeWidth(const char* bytes, std::size_t length) {
    if (static_cast<unsigned char>(bytes[0]) < 0xFD) return 0;
    char escape[kChunkSlack] = {};
    for (std::size_t k = 0; k < length && k + 1 < sizeof escape; ++k) escape[k] = bytes[k];
    const std::size_t width = insideCharacterBytes(escape);
    return width > 1 ? width : 0;
}

// A plain Shift-JIS console: escapes become what such a console can show. A console write is
// one formatted line (platform/console.cpp), so the pieces below never cut an escape.
void writeShownSjis(const char* bytes, std::size_t length) {
    static char shown[kShownPieceBytes];
    for (std::size_t at = 0; at < length; at += kShownPieceBytes) {
        const std::size_t piece = length - at < kShownPieceBytes ? length - at : kShownPieceBytes;
        writeShown(stdout, shown, insideBytesToShownSjis(shown, bytes + at, piece), false);
    }
}

void writeSjisAsUtf8(const char* bytes, std::size_t length) {
    static char chunk[kChunkBytes + kChunkSlack];
    std::size_t used = 0;
    std::size_t i = 0;
    if (gHasPendingLead) {
        gHasPendingLead = false;
        // A NUL is no trail byte: the lead byte was left alone, and is dropped.
        if (length > 0 && bytes[0] != '\0') {
            chunk[used++] = gPendingLead;
            chunk[used++] = bytes[0];
            i = 1;
        }
    }
    while (i < length) {
        char byte = bytes[i];
        if (byte == '\0') {
            // The converter takes C strings, so a NUL goes out on its own.
            writeConverted(chunk, used);
            used = 0;
            std::fputc('\0', stdout);
            ++i;
        } else if (std::size_t width = escapeWidth(bytes + i, length - i)) {
            // An escape is one character: converted whole, never split between two chunks.
            for (std::size_t k = 0; k < width; ++k) chunk[used++] = bytes[i + k];
            i += width;
        } else if (isSjisLeadByte(static_cast<unsigned char>(byte))) {
            if (i + 1 == length) {
                gPendingLead = byte;
                gHasPendingLead = true;
                ++i;
            } else if (bytes[i + 1] == '\0') {
                ++i; // a lead byte without its trail byte is dropped
            } else {
                chunk[used++] = byte;
                chunk[used++] = bytes[i + 1];
                i += 2;
            }
        } else {
            chunk[used++] = byte;
            ++i;
        }
        if (used >= kChunkBytes) {
            writeConverted(chunk, used);
            used = 0;
        }
    }
    writeConverted(chunk, used);
}

} // namespace

void consoleWrite(const char* bytes, std::size_t length, bool alreadyUtf8) {
    if (bytes == nullptr) return;
    gWriting = 1;
    if (!posix::consoleIsUtf8()) {
        if (!alreadyUtf8 && holdsEscape(bytes, length))
            writeShownSjis(bytes, length);
        else
            writeShown(stdout, bytes, length, alreadyUtf8);
    } else if (alreadyUtf8) {
        // A Shift-JIS lead byte left from an earlier piece has no UTF-8 form of its own.
        gHasPendingLead = false;
        writeShown(stdout, bytes, length, true);
    } else {
        writeSjisAsUtf8(bytes, length);
    }
    gWriting = 0;
    checkWritten();
}

void consoleFlush() {
    gWriting = 1;
    std::fflush(stdout);
    gWriting = 0;
    checkWritten();
}

bool consoleFailed() { return gFailed; }

void posix::consoleFlushOnSignal() {
    if (gWriting == 0) std::fflush(stdout);
}

} // namespace platform
