// Building the garbled spellings of a name (see garbled_names.h). Works in UTF-8 on both systems:
// the POSIX lookup compares the result with the names on disk, the Windows one turns it into
// UTF-16 first (where a raw name cannot exist).
#include "platform/garbled_names.h"

#include <cstdint>
#include <cstring>

#include "platform/code_page_tables.h"
#include "text/sjis_tables.h"

namespace platform {
namespace {

// A name on disk holds at most 255 bytes; the wanted name's code points and Shift-JIS bytes fit
// in as many.
constexpr std::size_t kNameUnits = 256;

enum Form { kCp437, kLatin1, kCp1252, kRaw, kUtf8AsSjis };
// What Windows reads a code page 932 pair it does not define as: the katakana middle dot.
constexpr std::uint32_t kUndefinedPair = 0x30FB;
const Garbling kReported[kGarbledFormCount] = {Garbling::Cp437, Garbling::Latin1, Garbling::Latin1, Garbling::Raw,
                                               Garbling::Utf8AsSjis};

struct Output {
    char* bytes;
    std::size_t capacity;
    std::size_t used;
};

bool putByte(Output& out, unsigned char byte) {
    if (out.used + 1 >= out.capacity) return false;
    out.bytes[out.used++] = static_cast<char>(byte);
    out.bytes[out.used] = '\0';
    return true;
}

bool putUtf8(Output& out, std::uint32_t cp) {
    if (cp < 0x80) return putByte(out, static_cast<unsigned char>(cp));
    if (cp < 0x800)
        return putByte(out, static_cast<unsigned char>(0xC0 | (cp >> 6))) &&
               putByte(out, static_cast<unsigned char>(0x80 | (cp & 0x3F)));
    if (cp < 0x10000)
        return putByte(out, static_cast<unsigned char>(0xE0 | (cp >> 12))) &&
               putByte(out, static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F))) &&
               putByte(out, static_cast<unsigned char>(0x80 | (cp & 0x3F)));
    return putByte(out, static_cast<unsigned char>(0xF0 | (cp >> 18))) &&
           putByte(out, static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F))) &&
           putByte(out, static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F))) &&
           putByte(out, static_cast<unsigned char>(0x80 | (cp & 0x3F)));
}

// Bytes of the UTF-8 sequence a first byte starts; 0 for a byte that starts none. The names come
// from the program's own conversions, so only their bytes that are no UTF-8 need to be told.
int sequenceLength(unsigned char first) {
    if (first < 0x80) return 1;
    if (first >= 0xC0 && first <= 0xDF) return 2;
    if (first >= 0xE0 && first <= 0xEF) return 3;
    return first >= 0xF0 && first <= 0xF7 ? 4 : 0;
}

// The code points of UTF-8 text. Their count, or -1 when it holds a byte that is no UTF-8.
int decodeUtf8(const char* text, std::uint32_t* points) {
    const unsigned char* in = reinterpret_cast<const unsigned char*>(text);
    int count = 0;
    while (*in != 0) {
        const int length = sequenceLength(*in);
        if (length == 0 || static_cast<std::size_t>(count) == kNameUnits) return -1;
        std::uint32_t cp = length == 1 ? *in : *in & (0x7Fu >> length);
        for (int i = 1; i < length; ++i) {
            if ((in[i] & 0xC0) != 0x80) return -1;
            cp = (cp << 6) | (in[i] & 0x3Fu);
        }
        points[count++] = cp;
        in += length;
    }
    return count;
}

// The character Japanese Windows reads a code as; 0 for none. A lead byte alone is none.
std::uint32_t cp932Character(std::uint16_t code) {
    if (code < 0x80) return code;
    if (code <= 0xFF) return kCp932High[code - 0x80];
    const unsigned lead = code >> 8, trail = code & 0xFF;
    const unsigned row = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F;
    return kCp932Pairs[row * kCp932TrailCount + (trail < 0x7F ? trail - 0x40 : trail - 0x41)];
}

bool isCp932Lead(unsigned char byte) { return byte >= 0x81 && kCp932High[byte - 0x80] == 0; }
bool isTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }

// The bytes Japanese Windows gives the name: ASCII as itself (the backslash and the tilde too),
// every other character by its code, which the program's tables give and code page 932 must read
// back as that character (a character of the vendors' rows, which the tables place elsewhere, is
// not found). The byte count, or -1.
int sjisBytes(const std::uint32_t* points, int count, unsigned char* bytes) {
    std::size_t used = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t cp = points[i];
        std::uint16_t code = static_cast<std::uint16_t>(cp);
        if (cp >= 0x80) {
            const std::uint16_t own = unicodeOverrideToSjis(cp);
            code = own != 0 ? own : unicodeToSjis(cp);
            // A code below 0x80 would be an ASCII byte (the yen sign as a backslash).
            if (code < 0x80 || cp932Character(code) != cp) return -1;
        }
        if (used + 2 > kNameUnits) return -1;
        if (code > 0xFF) bytes[used++] = static_cast<unsigned char>(code >> 8);
        bytes[used++] = static_cast<unsigned char>(code & 0xFF);
    }
    return static_cast<int>(used);
}

// `wanted`'s own bytes read as code page 932, written as UTF-8: a pair it does not define as
// U+30FB, as Windows reads it. false for a lead byte without a trail byte, whose reading is not
// known here: no name is guessed.
bool utf8ReadAsSjis(const char* wanted, Output& out) {
    const unsigned char* in = reinterpret_cast<const unsigned char*>(wanted);
    while (*in != 0) {
        std::uint16_t code = *in;
        int length = 1;
        if (isCp932Lead(*in)) {
            if (!isTrailByte(in[1])) return false;
            code = static_cast<std::uint16_t>(in[0] << 8 | in[1]);
            length = 2;
        }
        const std::uint32_t cp = cp932Character(code);
        if (!putUtf8(out, cp != 0 ? cp : kUndefinedPair)) return false;
        in += length;
    }
    return true;
}

} // namespace

int garbledName(int form, const char* wanted, char* out, std::size_t capacity, Garbling* how) {
    if (form < 0 || form >= kGarbledFormCount || wanted == nullptr || out == nullptr || capacity == 0) return -1;
    Output output{out, capacity, 0};
    out[0] = '\0';
    *how = kReported[form];
    std::uint32_t points[kNameUnits];
    const int count = decodeUtf8(wanted, points);
    bool ascii = count >= 0;
    for (int i = 0; i < count; ++i) ascii = ascii && points[i] < 0x80;
    if (count < 0 || ascii) return -1;
    if (form == kUtf8AsSjis) return utf8ReadAsSjis(wanted, output) ? 0 : -1;

    unsigned char bytes[kNameUnits];
    const int length = sjisBytes(points, count, bytes);
    if (length < 0) return -1;
    for (int i = 0; i < length; ++i) {
        const unsigned char byte = bytes[i];
        bool put = true;
        if (byte < 0x80 || form == kRaw) put = putByte(output, byte);
        else if (form == kLatin1) put = putUtf8(output, byte);
        else put = putUtf8(output, (form == kCp437 ? kCp437High : kCp1252High)[byte - 0x80]);
        if (!put) return -1;
    }
    return 0;
}

} // namespace platform
