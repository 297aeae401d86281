// UTF-8 -> the inside form: the reader's converter for UTF-8 models, which echoes a byte-by-byte
// trace to the console and keeps each character as it stands, and the quiet one the platform
// uses at its code-page boundary, which composes decomposed characters first. Both are lossless:
// a character without a code of its own is escaped, and so is each byte of a broken sequence.
#include "text/text_trace.h"
#include "text/convert.h"
#include "text/convert_core.h"
#include "text/inside_escape.h"

namespace {

constexpr int kUtfStatWellFormed = 7;
constexpr std::uint16_t kQuestionMark = 0x3F;

// The report of a malformed sequence: one entry per prefix read, longest first. A two- or
// three-byte form cut short by the terminator right after its first byte prints nothing.
void traceMalformed(const unsigned char* b, const Utf8Sequence& s) {
    if (s.expected == 0) {
        textTrace("%02X(x) ", b[0]);
        return;
    }
    if (s.expected == 2) {
        if (s.consumed == 2) textTrace("%02X %02X(x) ", b[0], b[1]);
        return;
    }
    if (s.expected == 3) {
        if (s.consumed >= 3) textTrace("[%02X %02X %02X(x)] ", b[0], b[1], b[2]);
        if (s.consumed >= 2) textTrace("[%02X %02X(x) -- ] ", b[0], b[1]);
        return;
    }
    if (s.consumed >= 4) textTrace("[%02X %02X %02X %02X(x)] ", b[0], b[1], b[2], b[3]);
    if (s.consumed >= 3) textTrace("[%02X %02X %02X(x) -- ] ", b[0], b[1], b[2]);
    if (s.consumed >= 2) textTrace("[%02X %02X(x) -- -- ] ", b[0], b[1]);
    textTrace("%02X(x) ", b[0]);
}

void traceAscii(unsigned char byte, std::uint16_t code) {
    if (byte == '\n') {
        textTrace("\n");
    } else if (byte == '\r') {
        textTrace(" ");
    } else {
        textTrace("%c", code & 0xFF);
    }
}

// The code of a decoded two- or three-byte character as the trace shows it; one without a code
// is traced as "?". The high byte of a single-byte code is 0 and goes to the trace as it is.
void traceDecoded(std::uint32_t codePoint) {
    std::uint16_t code = sjisCodeFor(codePoint);
    if (code == 0) code = kQuestionMark;
    unsigned high = code >> 8;
    unsigned low = code & 0xFFu;
    textTrace("[%c%c](%02X:%02X) ", high, low, high, low);
}

// UTF-8 to the inside form without a trace, characters as `reading` says, composed first when
// `compose`. Only a well-formed sequence in its shortest form is a character; every other byte
// is escaped alone and the next one starts afresh, so "C3 41" keeps its "A" and a disguised "/"
// is never a separator. 0, or -1 when the output was cut (between characters).
int utf8ToInside(OutputBuffer& out, const unsigned char* in, InsideReading reading, bool compose) {
    while (*in != 0) {
        const ComposedCharacter c = compose ? readComposedCharacter(in)
                                            : ComposedCharacter{readUtf8Sequence(in), 0, 0, false};
        bool written;
        int step;
        if (c.composed) {
            written = putInsideCharacter(out, c.codePoint, reading);
            step = c.consumed;
        } else if (isShortestValidForm(c.first)) {
            written = putInsideCharacter(out, c.first.codePoint, reading);
            step = c.first.consumed;
        } else {
            written = putEscapedByte(out, *in);
            step = 1;
        }
        if (!written) {
            finishOutput(out);
            return -1;
        }
        in += step;
    }
    finishOutput(out);
    return 0;
}

} // namespace

int utf8ToSjis(char* out, const unsigned char* in) {
    // The trace shows the text as the scan reads it, up to a second broken sequence; the text
    // kept is all of it. No size from the caller: the output is at most three times the
    // input's length plus 1.
    OutputBuffer buffer{out, kUnboundedCapacity, 0};
    utf8ToInside(buffer, in, InsideReading::PmxText, false);
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
        case 1:
            traceAscii(b[0], sjisCodeForAscii(b[0]));
            break;
        case 2:
            textTrace("[%02X %02X (%04X)] ", b[0], b[1], s.codePoint);
            traceDecoded(s.codePoint);
            break;
        case 3:
            textTrace("[%02X %02X %02X (%04X)] ", b[0], b[1], b[2], s.codePoint);
            traceDecoded(s.codePoint);
            break;
        default:
            // Beyond the Basic Multilingual Plane: no Shift-JIS code, no code in the trace.
            textTrace("[%02X %02X %02X %02X (%06X)] ", b[0], b[1], b[2], b[3], s.codePoint);
            break;
        }
    }
    textTrace("\n");
    textTrace("utfstat = %d. \n", utfstat);
    textTrace("  cttotal = %d. \n", cttotal);
    textTrace("done.\n");
    return utfstat;
}

int utf8ToSjisQuiet(char* out, std::size_t capacity, const char* in) {
    OutputBuffer buffer{out, capacity, 0};
    // Text from outside may come decomposed (names made on macOS): a character and its marks
    // become the one character a Windows name holds.
    return utf8ToInside(buffer, reinterpret_cast<const unsigned char*>(in), InsideReading::FileName, true);
}

int utf8NameToInside(char* out, std::size_t capacity, const char* in) {
    OutputBuffer buffer{out, capacity, 0};
    return utf8ToInside(buffer, reinterpret_cast<const unsigned char*>(in), InsideReading::FileName, false);
}
