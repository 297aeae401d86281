// The inside form's escape: every code point and every byte that is no character travels in it
// and comes back, only a whole escape in its own range is read, and a Shift-JIS console is
// shown what it can show.
#include <gtest/gtest.h>

#include <string>

#include "text/inside_escape.h"
#include "text/inside_text.h"

using namespace std::string_literals;

TEST(InsideEscape, EveryCodePointAndEveryNonAsciiByteComesBackFromDigitsAlone) {
    for (std::uint32_t value = 0; value <= 0x1100FF; ++value) {
        const bool byte = value > 0x10FFFF;
        char e[8] = {};
        OutputBuffer out{e, sizeof e, 0};
        const bool put = byte ? putEscapedByte(out, static_cast<unsigned char>(value)) : putEscapedCodePoint(out, value);
        ASSERT_EQ(put, !byte || value >= 0x110080) << std::hex << value; // an ASCII byte is a character
        if (!put) continue;
        const Escape read = readEscape(reinterpret_cast<const unsigned char*>(e));
        ASSERT_EQ(read.kind, byte ? EscapeKind::Byte : EscapeKind::CodePoint) << std::hex << value;
        ASSERT_EQ(read.value, byte ? value - 0x110000 : value) << std::hex << value;
        ASSERT_EQ(read.length, byte ? 3 : value < 0x40000 ? 4 : 5) << std::hex << value;
        for (int i = 1; i < read.length; ++i) // no NUL, "\\", "/", ".", letter or lead byte
            ASSERT_TRUE(static_cast<unsigned char>(e[i]) >= 0xA0 && static_cast<unsigned char>(e[i]) <= 0xDF);
    }
    // Five bytes for U+3FFFF (four do), U+110000, the byte 0x7F, a lead byte for a digit, a cut.
    for (const char* no : {"\xFE\xA0\xBF\xDF\xDF", "\xFE\xA4\xB0\xA0\xA0", "\xFF\xA1\xDF", "\xFD\xA0\xE0\xA0", "\xFD\xA0\xA0"})
        EXPECT_EQ(readEscape(reinterpret_cast<const unsigned char*>(no)).kind, EscapeKind::None) << no;
}

TEST(InsideText, ShiftJisConsoleShowsAnEscapeAsItsCodeOrQuestionMark) {
    // U+301C as 0x8160; U+1F600, the byte 0xC3 and a lone surrogate as "?"; あ as it stands.
    const std::string inside = "a\xFD\xA3\xA0\xBC\xFD\xBF\xB8\xA0\xFF\xA3\xA3\xFD\xAD\xC0\xA0\x82\xA0";
    char shown[32];
    EXPECT_EQ(insideToShownSjis(shown, sizeof shown, inside.c_str()), 0);
    EXPECT_EQ(std::string(shown), "a\x81\x60???\x82\xA0");
    EXPECT_EQ(insideToShownSjis(shown, 4, inside.c_str()), -1); // cut between characters
    EXPECT_EQ(std::string(shown), "a\x81\x60");
    // A console write: a NUL passes, an escape cut by the end of the write stays as it is.
    const std::string write = "\xFD\xA3\xA0\xBC\0x\xFD\xA3"s;
    EXPECT_EQ(std::string(shown, insideBytesToShownSjis(shown, write.data(), write.size())), "\x81\x60\0x\xFD\xA3"s);
    EXPECT_TRUE(holdsEscape(write.data(), write.size()));
    EXPECT_FALSE(holdsEscape("\x82\xA0\xFC\xFC", 4));
}
