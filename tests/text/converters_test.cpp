// The text converters byte for byte: UTF-8 -> Shift-JIS with its trace, Shift-JIS -> UTF-16LE
// and UTF-8 with their notices and sjisstat, UTF-16LE -> Shift-JIS, the quiet conversions of the
// code-page boundary, and the JIS variant fold. Buffers are exactly as long as allowed, so the
// sanitizer build catches a read or write past either end.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/io_test_files.h"
#include "text/convert.h"
#include "text/jis_variants.h"
#include "text/language.h"

using namespace std::string_literals;

namespace {

// Units as UTF-16LE bytes, ended by the zero unit.
std::vector<unsigned char> utf16(std::initializer_list<std::uint16_t> units) {
    std::vector<unsigned char> bytes;
    for (std::uint16_t u : units) {
        bytes.insert(bytes.end(), {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8)});
    }
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

struct Converted {
    int sjisstat;
    std::string bytes, trace;
};

// Shift-JIS to UTF-16LE or UTF-8, into an output of the documented worst-case size.
Converted fromSjis(const std::string& sjis, bool toUtf16) {
    std::vector<char> in(sjis.c_str(), sjis.c_str() + sjis.size() + 1);
    std::vector<unsigned char> out(toUtf16 ? 2 * sjis.size() + 2 : 3 * sjis.size() + 1, 0xEE);
    char* out8 = reinterpret_cast<char*>(out.data());
    iotest::Capture capture;
    int sjisstat = toUtf16 ? sjisToUtf16(out.data(), in.data()) : sjisToUtf8(out8, in.data());
    std::size_t length = toUtf16 ? static_cast<std::size_t>(utf16ByteLength(out.data())) : std::strlen(out8);
    return {sjisstat, std::string(out8, length), capture.text()};
}

} // namespace

TEST(Utf8ToSjis, StoresEverythingAndEchoesEachSequenceByteForByte) {
    // Escapes: FD and three digits (0xA0 + six bits) for a code point, FF and two for a byte.
    const struct { std::string utf8, sjis, trace; int utfstat, cttotal; } cases[] = {
        // CR echoes as a space, "~" as the low byte of its code 0x81B0.
        {"a\r\n~\\", "a\r\n\x81\xB0\\", "a \n\xB0\\", 7, 5},
        {"a\xD4\x80" "b", "a\xFD\xA0\xB4\xA0" "b", "a[D4 80 (0500)] [\0?](00:3F) b"s, 7, 4}, // no code
        {"\xF0\x9F\x98\x80", "\xFD\xBF\xB8\xA0", "[F0 9F 98 80 (01F600)] ", 7, 4},
        // A model's text is taken as it stands: a decomposed ガ is カ and a mark without a code.
        {"\xE3\x82\xAB\xE3\x82\x99", "\x83\x4A\xFD\xA3\xA2\xB9", "[E3 82 AB (30AB)] [\x83J](83:4A) [E3 82 99 (3099)] [\0?](00:3F) "s, 7, 6},
        // The trace swallows a bad byte and stops at a second malformed sequence; the text kept
        // escapes each byte of a broken sequence and goes on to the end.
        {"\xC3\x41" "B\x80" "CD", "\xFF\xA3\xA3" "AB\xFF\xA2\xA0" "CD", "C3 41(x) B80(x) ", 0, 4},
        {"\xE3\x83\x41", "\xFF\xA3\xC3\xFF\xA2\xA3" "A", "[E3 83 41(x)] [E3 83(x) -- ] ", 0, 3},
        {"\xF0\x9F\x98\x41", "\xFF\xA3\xD0\xFF\xA2\xBF\xFF\xA2\xB8" "A",
         "[F0 9F 98 41(x)] [F0 9F 98(x) -- ] [F0 9F(x) -- -- ] F0(x) ", 0, 4},
        // Cut by the end of the text: the terminator is never consumed.
        {"\xF0\x9F", "\xFF\xA3\xD0\xFF\xA2\xBF", "[F0 9F(x) -- -- ] F0(x) ", 0, 2},
        {"\xF0\x9F\x98", "\xFF\xA3\xD0\xFF\xA2\xBF\xFF\xA2\xB8", "[F0 9F 98(x) -- ] [F0 9F(x) -- -- ] F0(x) ", 0, 3},
        {"\xF8" "A", "\xFF\xA3\xD8" "A", "F8(x) A", 0, 2}, // F8 starts no form: "A" is a character
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.utf8));
        std::vector<unsigned char> in(c.utf8.c_str(), c.utf8.c_str() + c.utf8.size() + 1);
        std::vector<char> out(3 * c.utf8.size() + 1, '#');
        iotest::Capture capture;
        EXPECT_EQ(utf8ToSjis(out.data(), in.data()), c.utfstat);
        EXPECT_EQ(std::string(out.data()), c.sjis);
        EXPECT_EQ(capture.text(), c.trace + "\nutfstat = " + std::to_string(c.utfstat) + ". \n  cttotal = " +
                                      std::to_string(c.cttotal) + ". \ndone.\n");
    }
}

TEST(SjisToUnicode, OverridesSurrogatesUndefinedPairsAndTheStatusInBothForms) {
    const std::string low = "(2nd byte==0x00-3F) ", undefined = "<<<uni000000:sjis00";
    const struct { std::string sjis, utf16, utf8; int sjisstat; std::string trace16, trace8; } cases[] = {
        {"\x81\x5C\x81\x60\x87\x90", "\x15\x20\x5E\xFF\x52\x22", "\xE2\x80\x95\xEF\xBD\x9E\xE2\x89\x92", 7, "", ""},
        // The separator stays itself; 0xA0 has no entry and keeps its own value.
        {"~a\\\xB1\xA0", "\x3E\x20" "a\0\\\0\x71\xFF\xA0\0"s, "\xE2\x80\xBE" "a\\\xEF\xBD\xB1\xC2\xA0", 7, "", ""},
        {"\x87\xA0", "\x40\xD8\x0B\xDC", "\xF0\xA0\x80\x8B", 7, "", ""},
        // Lead byte 0x80: AND 2 and no trail-byte test.
        {"\x80\x41" "a\x81\x2E", "\x41\x80" "a\0\x2E\x81"s, "a", 0, "[81 2E(x)]" + low,
         undefined + "8041>>>[81 2E(x)]" + low + undefined + "812E>>>"},
        {"\x80\x30", "\x30\x80", "", 2, "", undefined + "8030>>>"},
        {"a\x93", "a\0"s, "a", 3, "", ""}, // a lone final lead byte is dropped
        {"\xE0\x40", "\x3E\x6F", "\xE6\xBC\xBE", 15, "", ""}, // lead bytes 0xE0-0xFC: OR 8
        // Escapes give back what they carry: U+1F600 and a lone surrogate.
        {"\xFD\xBF\xB8\xA0\xFD\xAD\xC0\xA0", "\x3D\xD8\x00\xDE\x00\xD8"s, "\xF0\x9F\x98\x80\xED\xA0\x80", 7, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.sjis));
        Converted u16 = fromSjis(c.sjis, true), u8 = fromSjis(c.sjis, false);
        EXPECT_EQ(std::tie(u16.bytes, u16.sjisstat, u16.trace), std::tie(c.utf16, c.sjisstat, c.trace16));
        EXPECT_EQ(std::tie(u8.bytes, u8.sjisstat, u8.trace), std::tie(c.utf8, c.sjisstat, c.trace8));
    }
    // An escaped byte (a name on disk that is not UTF-8) goes back to UTF-8 as itself; UTF-16
    // cannot carry it, and the writer is told so.
    Converted u16 = fromSjis("a\xFF\xA3\xA3", true), u8 = fromSjis("a\xFF\xA3\xA3", false);
    EXPECT_EQ(std::tie(u16.bytes, u16.sjisstat), std::make_tuple("a\0"s, 0));
    EXPECT_EQ(std::tie(u8.bytes, u8.sjisstat), std::make_tuple("a\xC3"s, 7));
}

TEST(Utf16ToSjis, SeparatorOverridesTableAndQuestionMarksInThatOrder) {
    const struct { std::vector<unsigned char> in; std::string sjis; int consumed; } cases[] = {
        {utf16({}), "", 0},
        {utf16({'a', '~', 'b', '\\', 0x00A5, 0x203E}), "a\x81\xB0" "b\\\\~", 12},
        // U+301C takes code page 932's code of U+FF5E only through its escape.
        {utf16({0xFF5E, 0x301C, 0x2252, 0x2015, 0xFF3C}), "\x81\x60\xFD\xA3\xA0\xBC\x87\x90\x81\x5C\x81\x5F", 10},
        {utf16({0xFF71, 0x3042}), "\xB1\x82\xA0", 4},
        {utf16({0x2985, 0x0500, 0xDC00}), "\xFD\xA2\xC6\xA5\xFD\xA0\xB4\xA0\xFD\xAD\xD0\xA0", 6}, // a lone low surrogate
        {utf16({0x30AB, 0x3099}), "\x83\x4A\xFD\xA3\xA2\xB9", 4}, // decomposed ガ: not composed
        // A pair is one character; a high surrogate without its partner is a unit of its own.
        {utf16({0xD83D, 0xDE00, 'A'}), "\xFD\xBF\xB8\xA0" "A", 6},
        {utf16({0xD800, 'B', 'C'}), "\xFD\xAD\xC0\xA0" "BC", 6},
        {utf16({'x', 0xD83D}), "x\xFD\xAD\xC0\xDD", 4},
        {utf16({0xDBFF, 0xDFFF}), "\xFE\xA4\xAF\xDF\xDF", 4}, // the last pair: U+10FFFF
    };
    for (const auto& c : cases) {
        char out[16];
        EXPECT_EQ(utf16ToSjis(out, c.in.data()), c.consumed) << c.sjis;
        EXPECT_EQ(std::string(out), c.sjis);
        EXPECT_EQ(utf16ByteLength(c.in.data()), c.consumed) << c.sjis;
    }
    std::vector<unsigned char> name = utf16({0x8155, 0x3042});
    EXPECT_EQ(utf16Compare(utf16({0x8155, 0x3042}).data(), name.data()), 0);
    EXPECT_EQ(utf16Compare(utf16({0x8155, 0x3042, 'X'}).data(), name.data()), 3);
    EXPECT_EQ(utf16Compare(utf16({0x8155}).data(), name.data()), -1);
    EXPECT_EQ(utf16Compare(utf16({0x0141}).data(), utf16({0x0041}).data()), -1); // whole units
}

TEST(QuietConversion, LosslessInwardsNoQuestionMarkInAPathAndCutsBetweenCharacters) {
    const auto toSjis = [](char* out, std::size_t capacity, const char* in) { return utf8ToSjisQuiet(out, capacity, in); };
    const auto toPath = [](char* out, std::size_t capacity, const char* in) { return sjisToUtf8Quiet(out, capacity, in, OutsideUse::Path); };
    const auto toShown = [](char* out, std::size_t capacity, const char* in) { return sjisToUtf8Quiet(out, capacity, in, OutsideUse::Shown); };
    const struct { int (*convert)(char*, std::size_t, const char*); std::string in; std::size_t capacity; std::string out; int result; } cases[] = {
        // Beyond the BMP, not in the table, malformed, a disguised "/", a yen sign (no separator
        // in a name), "~" and an overline: each comes back as itself.
        {toSjis, "a\xF0\x9F\x98\x80\xD4\x80\xC3\x41" "b\x80\xC0\xAF\xC2\xA5" "x\xE3\x81~\xE2\x80\xBE", 64,
         "a\xFD\xBF\xB8\xA0\xFD\xA0\xB4\xA0\xFF\xA3\xA3" "Ab\xFF\xA2\xA0\xFF\xA3\xA0\xFF\xA2\xCF\xFD\xA0\xA2\xC5"
         "x\xFF\xA3\xC3\xFF\xA2\xA1\x81\xB0\xFD\xA2\xA0\xDE", 0},
        {toSjis, "\x01", 64, "\x01", 0}, // the lowest code point with a code of its own
        {toSjis, "\xC2\x80", 64, "\xFD\xA0\xA2\xA0", 0}, // U+0080: the shortest two-byte form, no code
        {toSjis, "\xF4\x8F\xBF\xBF", 64, "\xFE\xA4\xAF\xDF\xDF", 0}, // U+10FFFF: the last code point
        {toSjis, "abc", 0, "", -1},
        {toSjis, "a\xED\x95\x9C", 5, "a", -1}, // 한 is escaped in four bytes: they do not fit
        {toPath, "~\xFD\xA2\xA0\xDE\xFF\xA3\xA3\xFD\xAD\xC0\xA0", 64, "~\xE2\x80\xBE\xC3\xED\xA0\x80", 0},
        {toPath, "a\x82\xF5", 64, "a", -1}, // no character: no file name
        // U+E000, escaped, is no surrogate: shown as itself.
        {toShown, "\x82\xF5" "a\xFD" "b\x81\x2E" "c\xFF\xA3\xA3\xFD\xAD\xC0\xA0\xFD\xAE\xA0\xA0\x93", 64,
         "?a?b?c??\xEE\x80\x80?", 0},
        {toShown, "a\x82\xA0" "b", 4, "a", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.in) + " in " + std::to_string(c.capacity));
        std::vector<char> out(c.capacity + 8, '#');
        iotest::Capture capture;
        EXPECT_EQ(c.convert(out.data(), c.capacity, c.in.c_str()), c.result);
        EXPECT_EQ(capture.text(), "");
        EXPECT_EQ(std::string(out.begin() + static_cast<long>(c.capacity), out.end()), std::string(8, '#'));
        EXPECT_EQ(c.capacity == 0 ? "" : std::string(out.data()), c.out);
    }
}

TEST(WideNames, WindowsNamesComeInAndGoOutAsTheyAreNeverAsAnotherName) {
    // "~", an overline and a yen sign (characters in a name, no separator), a backslash, a wave
    // dash and a lone surrogate, which a Windows name may hold.
    const std::vector<unsigned char> name = utf16({'~', 0x203E, 0xA5, '\\', 0x301C, 0xD83D});
    const std::string inside = "\x81\xB0\xFD\xA2\xA0\xDE\xFD\xA0\xA2\xC5\\\xFD\xA3\xA0\xBC\xFD\xAD\xC0\xDD";
    char in[32];
    EXPECT_EQ(utf16NameToInside(in, sizeof in, name.data()), 0);
    EXPECT_EQ(std::string(in), inside);
    EXPECT_EQ(utf16NameToInside(in, 6, name.data()), -1); // cut between characters
    unsigned char out[16];
    EXPECT_EQ(insideNameToUtf16(out, sizeof out, inside.c_str()), 0);
    EXPECT_EQ(std::vector<unsigned char>(out, out + name.size()), name);
    EXPECT_EQ(insideNameToUtf16(out, sizeof out, "a~"), 0); // 0x7E is "~", as code page 932 reads it
    EXPECT_EQ(std::vector<unsigned char>(out, out + 6), utf16({'a', '~'}));
    for (const char* noName : {"a\xFF\xA3\xA3", "a\x82\xF5", "a\xFD"}) { // a byte, no character
        out[2] = '#';
        EXPECT_EQ(insideNameToUtf16(out, sizeof out, noName), -1) << noName;
        EXPECT_EQ(out[2], 0) << noName; // the output ends after "a"
    }
    EXPECT_EQ(insideNameToUtf16(out, 4, "ab"), -1); // no room for the zero unit
}

TEST(JisVariants, AFoldToAShorterCharacterEndsTheTextThere) {
    char text[] = "\xEF\xBF\xA0" "a\xEF\xBD\x9E\xEF\xBF\xA1"; // U+FFE0 (3 bytes), U+FF5E, U+FFE1
    foldJisVariants(text);
    EXPECT_STREQ(text, "\xC2\xA2" "a\xE3\x80\x9C\xC2\xA3"); // U+00A2 (2 bytes), U+301C, U+00A3
}
