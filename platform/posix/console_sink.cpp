// POSIX console sink: the program's console bytes to standard output, converted from Shift-JIS
// to UTF-8 when the locale's codeset is UTF-8, else unchanged (what the byte-exact tests use).
#include <signal.h>

#include <cstdio>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "platform/posix/locale_settings.h"
#include "text/sjis_tables.h"

namespace platform {
namespace {

// Shift-JIS bytes converted per step; UTF-8 takes at most three bytes for each.
constexpr std::size_t kChunkBytes = 1024;

// Set while standard output's buffer is being changed; a signal handler leaves it alone then.
volatile sig_atomic_t gWriting = 0;

// A lead byte that ended the previous piece: its trail byte starts the next one.
bool gHasPendingLead = false;
char gPendingLead = 0;

void writeConverted(char* chunk, std::size_t length) {
    if (length == 0) return;
    static char utf8[3 * kChunkBytes + 8];
    chunk[length] = '\0';
    posix::sjisToUtf8Text(utf8, sizeof utf8, chunk);
    std::fputs(utf8, stdout);
}

void writeSjisAsUtf8(const char* bytes, std::size_t length) {
    static char chunk[kChunkBytes + 3];
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
        std::fwrite(bytes, 1, length, stdout);
    } else if (alreadyUtf8) {
        // A Shift-JIS lead byte left from an earlier piece has no UTF-8 form of its own.
        gHasPendingLead = false;
        std::fwrite(bytes, 1, length, stdout);
    } else {
        writeSjisAsUtf8(bytes, length);
    }
    gWriting = 0;
}

void consoleFlush() {
    gWriting = 1;
    std::fflush(stdout);
    gWriting = 0;
}

void posix::consoleFlushOnSignal() {
    if (gWriting == 0) std::fflush(stdout);
}

} // namespace platform
