// UTF-8 -> Shift-JIS: the reader's converter for UTF-8 models, which echoes a byte-by-byte
// trace to the console and converts each character as it stands, and the quiet one the
// platform uses at its code-page boundary, which composes decomposed characters first.
#include "platform/console.h"
#include "text/convert.h"
#include "text/convert_core.h"

namespace {

constexpr int kUtfStatWellFormed = 7;
constexpr std::uint16_t kQuestionMark = 0x3F;

// The report of a malformed sequence: one entry per prefix read, longest first. A two- or
// three-byte form cut short by the terminator right after its first byte prints nothing.
void traceMalformed(const unsigned char* b, const Utf8Sequence& s) {
    if (s.expected == 0) {
        consolePrint("%02X(x) ", b[0]);
        return;
    }
    if (s.expected == 2) {
        if (s.consumed == 2) consolePrint("%02X %02X(x) ", b[0], b[1]);
        return;
    }
    if (s.expected == 3) {
        if (s.consumed >= 3) consolePrint("[%02X %02X %02X(x)] ", b[0], b[1], b[2]);
        if (s.consumed >= 2) consolePrint("[%02X %02X(x) -- ] ", b[0], b[1]);
        return;
    }
    if (s.consumed >= 4) consolePrint("[%02X %02X %02X %02X(x)] ", b[0], b[1], b[2], b[3]);
    if (s.consumed >= 3) consolePrint("[%02X %02X %02X(x) -- ] ", b[0], b[1], b[2]);
    if (s.consumed >= 2) consolePrint("[%02X %02X(x) -- -- ] ", b[0], b[1]);
    consolePrint("%02X(x) ", b[0]);
}

void traceAscii(unsigned char byte, std::uint16_t code) {
    if (byte == '\n') {
        consolePrint("\n");
    } else if (byte == '\r') {
        consolePrint(" ");
    } else {
        consolePrint("%c", code & 0xFF);
    }
}

// Stores a decoded two- or three-byte character; one without a code is dropped and traced as
// "?". The code's high byte of a single-byte code is 0 and goes to the trace as it is.
void storeDecoded(OutputBuffer& out, std::uint32_t codePoint) {
    std::uint16_t code = sjisCodeFor(codePoint);
    if (code != 0) {
        putSjisCode(out, code);
    } else {
        code = kQuestionMark;
    }
    unsigned high = code >> 8;
    unsigned low = code & 0xFFu;
    consolePrint("[%c%c](%02X:%02X) ", high, low, high, low);
}

// The quiet converter resumes at a bad byte instead of swallowing it: "C3 41" keeps its "A".
int quietStep(const unsigned char* b, const Utf8Sequence& s) {
    if (!s.wellFormed && s.consumed > 1 && (b[s.consumed - 1] & 0xC0) != 0x80) return s.consumed - 1;
    return s.consumed;
}

} // namespace

int utf8ToSjis(char* out, const unsigned char* in) {
    // No size from the caller: the output is at most twice the input's length plus 1.
    OutputBuffer buffer{out, kUnboundedCapacity, 0};
    int utfstat = kUtfStatWellFormed;
    int cttotal = 0;
    while (in[cttotal] != 0) {
        const unsigned char* b = in + cttotal;
        Utf8Sequence s = readUtf8Sequence(b);
        cttotal += s.consumed;
        if (!s.wellFormed) {
            traceMalformed(b, s);
            // A second malformed sequence ends the text: it is not UTF-8 at all.
            if (utfstat == 0) break;
            utfstat = 0;
            continue;
        }
        switch (s.expected) {
        case 1: {
            std::uint16_t code = sjisCodeForAscii(b[0]);
            putSjisCode(buffer, code);
            traceAscii(b[0], code);
            break;
        }
        case 2:
            consolePrint("[%02X %02X (%04X)] ", b[0], b[1], s.codePoint);
            storeDecoded(buffer, s.codePoint);
            break;
        case 3:
            consolePrint("[%02X %02X %02X (%04X)] ", b[0], b[1], b[2], s.codePoint);
            storeDecoded(buffer, s.codePoint);
            break;
        default:
            // Beyond the Basic Multilingual Plane: no Shift-JIS code, nothing stored.
            consolePrint("[%02X %02X %02X %02X (%06X)] ", b[0], b[1], b[2], b[3], s.codePoint);
            break;
        }
    }
    finishOutput(buffer);
    consolePrint("\n");
    consolePrint("utfstat = %d. \n", utfstat);
    consolePrint("  cttotal = %d. \n", cttotal);
    consolePrint("done.\n");
    return utfstat;
}

void utf8ToSjisQuiet(char* out, std::size_t capacity, const char* in) {
    OutputBuffer buffer{out, capacity, 0};
    const unsigned char* p = reinterpret_cast<const unsigned char*>(in);
    while (*p != 0) {
        // Text from outside may come decomposed (names made on macOS): a character and its
        // marks become the one character a Windows name holds, never a letter and "?".
        ComposedCharacter c = readComposedCharacter(p);
        const Utf8Sequence& s = c.first;
        std::uint16_t code = 0;
        if (c.composed) {
            code = sjisCodeFor(c.codePoint);
        } else if (s.wellFormed && s.expected == 1) {
            code = sjisCodeForAscii(p[0]);
        } else if (isShortestValidForm(s)) {
            code = sjisCodeFor(s.codePoint);
            // Only a real backslash may become a separator: the yen sign, which the table
            // gives the byte 0x5C, must not turn a file name into a path.
            if (code == 0x5C) code = 0;
        }
        if (!putSjisCode(buffer, code != 0 ? code : kQuestionMark)) break;
        p += c.composed ? c.consumed : quietStep(p, s);
    }
    finishOutput(buffer);
}
