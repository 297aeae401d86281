// The text converters byte for byte: UTF-8 -> Shift-JIS with its trace, Shift-JIS -> UTF-16LE
// and UTF-8 with their notices and sjisstat, UTF-16LE -> Shift-JIS, the quiet conversions of the
// code-page boundary (which compose decomposed text), and message pieces appended to a bounded
// buffer. Buffers are exactly as long as allowed, so the sanitizer build catches a read or
// write past either end.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/io_test_files.h"
#include "text/composition.h"
#include "text/convert.h"
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

TEST(Utf8ToSjis, StoresEchoesAndReportsEachSequenceByteForByte) {
    const struct { std::string utf8, sjis, trace; int utfstat, cttotal; } cases[] = {
        {"abcd", "abcd", "abcd", 7, 4},
        // CR echoes as a space, "~" as the low byte of its code 0x81B0.
        {"a\r\n~\\", "a\r\n\x81\xB0\\", "a \n\xB0\\", 7, 5},
        {"\xE3\x83\x9F", "\x83\x7E", "[E3 83 9F (30DF)] [\x83~](83:7E) ", 7, 3},
        {"\xEF\xBD\xB1", "\xB1", "[EF BD B1 (FF71)] [\0\xB1](00:B1) "s, 7, 3},
        {"\xEF\xBD\x9E\xE2\x89\x92", "\x81\x60\x87\x90",
         "[EF BD 9E (FF5E)] [\x81`](81:60) [E2 89 92 (2252)] [\x87\x90](87:90) ", 7, 6},
        {"a\xD4\x80" "b", "ab", "a[D4 80 (0500)] [\0?](00:3F) b"s, 7, 4}, // no code: dropped
        {"\xF0\x9F\x98\x80", "", "[F0 9F 98 80 (01F600)] ", 7, 4},
        // A model's text is taken as it stands: a decomposed ガ is カ and a mark without a code.
        {"\xE3\x82\xAB\xE3\x82\x99", "\x83\x4A", "[E3 82 AB (30AB)] [\x83J](83:4A) [E3 82 99 (3099)] [\0?](00:3F) "s, 7, 6},
        // The first malformed sequence swallows its bad byte; the second stops the scan.
        {"\xC3\x41" "B\x80" "CD", "B", "C3 41(x) B80(x) ", 0, 4},
        {"\xE3\x83\x41", "", "[E3 83 41(x)] [E3 83(x) -- ] ", 0, 3},
        {"\xF0\x9F\x98\x41", "", "[F0 9F 98 41(x)] [F0 9F 98(x) -- ] [F0 9F(x) -- -- ] F0(x) ", 0, 4},
        // Cut by the end of the text: the terminator is never consumed.
        {"\xF0\x9F", "", "[F0 9F(x) -- -- ] F0(x) ", 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.utf8));
        std::vector<unsigned char> in(c.utf8.c_str(), c.utf8.c_str() + c.utf8.size() + 1);
        std::vector<char> out(2 * c.utf8.size() + 1, '#');
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
        {"\x82\xF5" "a", "\xF5\x82" "a\0"s, "a", 7, "", undefined + "82F5>>>"},
        {"\x81\x2Ex", "\x2E\x81x\0"s, "x", 1, "[81 2E(x)]" + low, "[81 2E(x)]" + low + undefined + "812E>>>"},
        // Lead byte 0x80: AND 2 and no trail-byte test. Lead bytes 0xE0-0xFC and the skipped
        // bytes 0xFD-0xFF: OR 8, which a low trail byte's AND 1 clears again.
        {"\x80\x41" "a\x81\x2E", "\x41\x80" "a\0\x2E\x81"s, "a", 0, "[81 2E(x)]" + low,
         undefined + "8041>>>[81 2E(x)]" + low + undefined + "812E>>>"},
        {"\x80\x30", "\x30\x80", "", 2, "", undefined + "8030>>>"},
        {"a\x93", "a\0"s, "a", 3, "", ""}, // a lone final lead byte is dropped
        {"\xE0\x40", "\x3E\x6F", "\xE6\xBC\xBE", 15, "", ""},
        {"a\xFD\xFE\xFF" "b", "a\0b\0"s, "ab", 15, "", ""},
        {"\xFD\x82\x2E", "\x2E\x82", "", 1, "[82 2E(x)]" + low, "[82 2E(x)]" + low + undefined + "822E>>>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.sjis));
        Converted u16 = fromSjis(c.sjis, true), u8 = fromSjis(c.sjis, false);
        EXPECT_EQ(std::tie(u16.bytes, u16.sjisstat, u16.trace), std::tie(c.utf16, c.sjisstat, c.trace16));
        EXPECT_EQ(std::tie(u8.bytes, u8.sjisstat, u8.trace), std::tie(c.utf8, c.sjisstat, c.trace8));
    }
}

TEST(Utf16ToSjis, SeparatorOverridesTableAndQuestionMarksInThatOrder) {
    const struct { std::vector<unsigned char> in; std::string sjis; int consumed; } cases[] = {
        {utf16({}), "", 0},
        {utf16({'a', '~', 'b', '\\', 0x00A5, 0x203E}), "a\x81\xB0" "b\\\\~", 12},
        {utf16({0xFF5E, 0x301C, 0x2252, 0x2015, 0xFF3C}), "\x81\x60\x81\x60\x87\x90\x81\x5C\x81\x5F", 10},
        {utf16({0xFF71, 0x3042}), "\xB1\x82\xA0", 4},
        {utf16({0x2985, 0x0500, 0xDC00}), "???", 6}, // no code; a lone low surrogate
        {utf16({0x30AB, 0x3099}), "\x83\x4A?", 4}, // decomposed ガ: not composed
        // A pair, valid or not, is one "?" of four bytes; one cut by the terminator ends there.
        {utf16({0xD83D, 0xDE00, 'A'}), "?A", 6},
        {utf16({0xD800, 'B', 'C'}), "?C", 6},
        {utf16({'x', 0xD83D}), "x?", 4},
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

TEST(QuietConversion, QuestionMarkForWhatHasNoCharacterAndCutsBetweenCharacters) {
    const struct { bool toSjis; std::string in; std::size_t capacity; std::string out; } cases[] = {
        {true, "d\\a~b\xEF\xBD\x9E\xEF\xBD\xB1", 64, "d\\a\x81\xB0" "b\x81\x60\xB1"},
        // Beyond the BMP, not in the table, malformed; a disguised "/" or a yen sign is no separator.
        {true, "a\xF0\x9F\x98\x80\xD4\x80\xC3\x41" "b\x80\xC0\xAF\xC2\xA5" "x\xE3\x81", 64, "a???Ab???x?"},
        {true, "a\xE3\x81\x82" "b", 4, "a\x82\xA0"}, {true, "a\xE3\x81\x82" "b", 3, "a"}, {true, "abc", 0, ""},
        {false, "d\\a\x81\xB0" "b\x82\xA0\x81\x60\x87\xA0", 64, "d\\a~b\xE3\x81\x82\xEF\xBD\x9E\xF0\xA0\x80\x8B"},
        {false, "\x82\xF5" "a\xFD" "b\x81\x2E" "c\x93", 64, "?a?b?c?"},
        {false, "a\x82\xA0" "b", 5, "a\xE3\x81\x82"}, {false, "a\x82\xA0" "b", 4, "a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.in) + " in " + std::to_string(c.capacity));
        std::vector<char> out(c.capacity + 8, '#');
        iotest::Capture capture;
        (c.toSjis ? utf8ToSjisQuiet : sjisToUtf8Quiet)(out.data(), c.capacity, c.in.c_str());
        EXPECT_EQ(capture.text(), "");
        EXPECT_EQ(std::string(out.begin() + static_cast<long>(c.capacity), out.end()), std::string(8, '#'));
        EXPECT_EQ(c.capacity == 0 ? "" : std::string(out.data()), c.out);
    }
}

TEST(QuietConversion, DecomposedTextComposesOnlyToCharactersThatHaveACode) {
    // Names as macOS stores them, composed in place and converted at the boundary.
    const struct { std::string in, composed, sjis; } cases[] = {
        {"\xE3\x83\x86\xE3\x82\xAF\xE3\x82\xB9\xE3\x83\x81\xE3\x83\xA3/\xE3\x82\xAB\xE3\x82\x99\xE3\x82\xA4\xE3\x83\x88\xE3\x82\x99.png",
         "\xE3\x83\x86\xE3\x82\xAF\xE3\x82\xB9\xE3\x83\x81\xE3\x83\xA3/\xE3\x82\xAC\xE3\x82\xA4\xE3\x83\x89.png",
         "\x83\x65\x83\x4E\x83\x58\x83\x60\x83\x83/\x83\x4B\x83\x43\x83\x68.png"}, // テクスチャ/ガイド.png
        {"\xE3\x83\x8F\xE3\x82\x9A\xE3\x83\xBC\xE3\x83\x84/e\xCC\x81.png",
         "\xE3\x83\x91\xE3\x83\xBC\xE3\x83\x84/\xC3\xA9.png", "\x83\x70\x81\x5B\x83\x63/\x85\x7E.png"}, // パーツ/é.png
        {"u\xCC\x88\xCC\x84", "\xC7\x96", "\x84\xF7"}, // u, diaeresis, macron: ǖ in two steps
        {"=\xCC\xB8", "\xE2\x89\xA0", "\x81\x82"}, // ≠
        {"\xE3\x82\xAC", "\xE3\x82\xAC", "\x83\x4B"}, // already composed
        // No composed character with a code: か + semi-voiced mark; an acute after x, which
        // has a code of its own; a disguised e (overlong form) composes with nothing.
        {"\xE3\x81\x8B\xE3\x82\x9A", "\xE3\x81\x8B\xE3\x82\x9A", "\x82\xA9?"},
        {"x\xCC\x81", "x\xCC\x81", "x\x86\x79"},
        {"\xC1\xA5\xCC\x81", "\xC1\xA5\xCC\x81", "?\x86\x79"},
        {"\xC3" "e\xCC\x81\xCC\x81", "\xC3\xC3\xA9\xCC\x81", "?\x85\x7E\x86\x79"}, // after a bad lead byte
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.in));
        std::vector<char> text(c.in.c_str(), c.in.c_str() + c.in.size() + 1);
        composeUtf8(text.data());
        EXPECT_EQ(std::string(text.data()), c.composed);
        std::vector<char> sjis(c.sjis.size() + 1, '#');
        utf8ToSjisQuiet(sjis.data(), sjis.size(), c.in.c_str());
        EXPECT_EQ(std::string(sjis.data()), c.sjis);
    }
}

TEST(MessageText, PiecesStopAtTheCapacityBetweenCharactersInBothModes) {
    const std::string a519(519, 'a'), a520(520, 'a');
    // Rows with a result go through appendSjisAsUtf8, the others through appendMessageText.
    const struct { bool japanese; std::size_t capacity; std::string text, piece, expected; int result; } cases[] = {
        {false, 1024, a520, "b", a520, -1}, // a text of 520 bytes is full
        {false, 1024, a519, "\x82\xA0" "b", a519 + "\xE3\x81\x82" "b", 7},
        {false, 64, "x", "\x82\xA0\\", "x\xE3\x81\x82\\", 7},
        {false, 520, a519, "\x82\xA0", a519, 0}, // room for the terminator only
        {false, 10, "abc", "defghijkl", "abcdefghi", 0},
        {false, 8, "abcd", "\x82\xA0\x82\xA2", "abcd\xE3\x81\x82", 0},
        {false, 7, "abcd", "\x82\xA0", "abcd", 0},
        {true, 64, "x", "\x82\xA0~\x81\x60\\", "x\x82\xA0~\x81\x60\\", 0}, // Shift-JIS unchanged
        {true, 4, "abc", "d", "abc", 0},
        {true, 6, "ab", "cdefg", "abcde", 0},
        {true, 6, "ab", "\x82\xA0\x82\xA2", "ab\x82\xA0", 0},
        {true, 64, "ab", "c\x93", "abc", 0}, // a lead byte without its trail byte is half a character
    };
    const bool saved = japaneseMode();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.piece) + " onto " + std::to_string(c.text.size()) + " bytes");
        // Guard bytes after the capacity must survive.
        std::vector<char> buffer(c.capacity + 16, '#');
        std::memcpy(buffer.data(), c.text.c_str(), c.text.size() + 1);
        setJapaneseMode(c.japanese);
        int result = c.result == 0 ? (appendMessageText(buffer.data(), c.capacity, c.piece.c_str()), 0)
                                   : appendSjisAsUtf8(buffer.data(), c.capacity, c.piece.c_str());
        setJapaneseMode(saved);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(std::string(buffer.data()), c.expected);
        EXPECT_EQ(std::string(buffer.begin() + static_cast<long>(c.capacity), buffer.end()), std::string(16, '#'));
    }
    char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(appendSjisAsUtf8(unterminated, sizeof unterminated, "e"), -1);
}
