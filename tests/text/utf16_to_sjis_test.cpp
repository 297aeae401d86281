// UTF-16LE -> Shift-JIS (the reader's converter for UTF-16LE models) and the two UTF-16LE
// helpers: separators kept, overrides before the table, "?" for what has no code.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "text/convert.h"

namespace {

// Units as UTF-16LE bytes, ended by the zero unit; exactly as long as that, so the sanitizer
// build catches a read past the terminator.
std::vector<unsigned char> utf16(std::initializer_list<std::uint16_t> units) {
    std::vector<unsigned char> bytes;
    for (std::uint16_t u : units) {
        bytes.push_back(static_cast<unsigned char>(u & 0xFF));
        bytes.push_back(static_cast<unsigned char>(u >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

struct Utf16Case {
    std::vector<unsigned char> in;
    std::string sjis;
    int consumed;
};

} // namespace

TEST(Utf16ToSjis, CharactersTakeOverridesBackslashAndTableInThatOrder) {
    const Utf16Case cases[] = {
        {utf16({}), "", 0},
        {utf16({'a', '~', 'b'}), "a\x81\xB0" "b", 6},
        {utf16({'d', '\\', 't'}), "d\\t", 6},                 // a separator, not 0x815F
        {utf16({0x00A5}), "\\", 2},                           // yen sign
        {utf16({0x203E}), "~", 2},                            // overline
        {utf16({0xFF5E, 0x301C}), "\x81\x60\x81\x60", 4},
        {utf16({0x2252}), "\x87\x90", 2},                     // not the table's 81 E0
        {utf16({0x2015, 0xFF3C}), "\x81\x5C\x81\x5F", 4},
        {utf16({0x2014}), "\x81\x5C", 2},
        {utf16({0xFF71, 0x3042}), "\xB1\x82\xA0", 4},         // half-width katakana: one byte
        {utf16({0x2985, 0x0500, 0xDC00}), "???", 6},          // no code; a lone low surrogate
    };
    for (const Utf16Case& c : cases) {
        char out[64];
        EXPECT_EQ(utf16ToSjis(out, c.in.data()), c.consumed) << c.sjis;
        EXPECT_EQ(std::string(out), c.sjis);
    }
}

TEST(Utf16ToSjis, SurrogatePairIsOneQuestionMarkOfFourBytes) {
    char out[16];
    EXPECT_EQ(utf16ToSjis(out, utf16({0xD83D, 0xDE00, 'A'}).data()), 6);
    EXPECT_EQ(std::string(out), "?A");
    // A pair need not be valid to be taken whole.
    EXPECT_EQ(utf16ToSjis(out, utf16({0xD800, 'B', 'C'}).data()), 6);
    EXPECT_EQ(std::string(out), "?C");
}

TEST(Utf16ToSjis, HighSurrogateBeforeTheTerminatorNeverReadsPastIt) {
    char out[16];
    std::vector<unsigned char> in = utf16({'x', 0xD83D});
    EXPECT_EQ(utf16ToSjis(out, in.data()), 4);
    EXPECT_EQ(std::string(out), "x?");
}

TEST(Utf16Compare, PrefixesAreTellingApart) {
    std::vector<unsigned char> name = utf16({0x8155, 0x3042});
    EXPECT_EQ(utf16Compare(name.data(), utf16({0x8155, 0x3042}).data()), 0);
    EXPECT_EQ(utf16Compare(utf16({0x8155, 0x3042, 'X'}).data(), name.data()), 3);
    EXPECT_EQ(utf16Compare(utf16({0x8155}).data(), name.data()), -1);
    EXPECT_EQ(utf16Compare(utf16({0x8155, 0x3043}).data(), name.data()), -1);
    EXPECT_EQ(utf16Compare(utf16({}).data(), utf16({}).data()), 0);
    EXPECT_EQ(utf16Compare(utf16({'a'}).data(), utf16({}).data()), 3);
    // Units compare whole: equal low bytes are not enough.
    EXPECT_EQ(utf16Compare(utf16({0x0141}).data(), utf16({0x0041}).data()), -1);
}

TEST(Utf16ByteLength, CountsTwoBytesPerUnitUpToTheZeroUnit) {
    EXPECT_EQ(utf16ByteLength(utf16({}).data()), 0);
    EXPECT_EQ(utf16ByteLength(utf16({'a', 0x3042, 0x0100}).data()), 6);
}
