// The inside form's escape: every code point and every byte that is no character travels in it
// and comes back, only whole escapes are read, the code of a character is kept only when it reads
// back as that character, and a Shift-JIS console is shown what it can show.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace std::string_literals;

#include "text/inside_escape.h"
#include "text/inside_text.h"

namespace {

std::string escapeOf(std::uint32_t value, bool byte) {
    char bytes[8] = {};
    OutputBuffer out{bytes, sizeof bytes, 0};
    const bool put = byte ? putEscapedByte(out, static_cast<unsigned char>(value)) : putEscapedCodePoint(out, value);
    finishOutput(out);
    return put ? std::string(bytes) : "<none>";
}

} // namespace

TEST(InsideEscape, EveryCodePointAndEveryNonAsciiByteComesBack) {
    for (std::uint32_t value = 0; value <= 0x10FFFF + 0x100; ++value) {
        const bool byte = value > 0x10FFFF;
        const std::uint32_t carried = byte ? value - 0x110000 : value;
        const std::string e = escapeOf(carried, byte);
        if (byte && carried < 0x80) { // an ASCII byte is a character: never escaped
            ASSERT_EQ(e, "<none>") << carried;
            continue;
        }
        const Escape read = readEscape(reinterpret_cast<const unsigned char*>(e.c_str()));
        ASSERT_EQ(read.kind, byte ? EscapeKind::Byte : EscapeKind::CodePoint) << std::hex << value;
        ASSERT_EQ(read.value, carried) << std::hex << value;
        ASSERT_EQ(static_cast<std::size_t>(read.length), e.size());
        ASSERT_EQ(e.size(), byte ? 3u : carried < 0x40000 ? 4u : 5u) << std::hex << value;
        for (std::size_t i = 1; i < e.size(); ++i) // digits only: no NUL, "\\", "/", ".", letter or lead byte
            ASSERT_TRUE(static_cast<unsigned char>(e[i]) >= 0xA0 && static_cast<unsigned char>(e[i]) <= 0xDF);
    }
    EXPECT_EQ(escapeOf(0x110000, false), "<none>");
    EXPECT_EQ(escapeOf(0x9AD9, false), "\xFD\xA9\xCB\xB9"); // 9, 43, 25 six bits at a time
    EXPECT_EQ(escapeOf(0x10FFFF, false), "\xFE\xA4\xAF\xDF\xDF");
    EXPECT_EQ(escapeOf(0x94, true), "\xFF\xA2\xB4");
}

TEST(InsideEscape, OnlyAWholeEscapeInItsOwnRangeIsRead) {
    const char* notEscapes[] = {
        "\xFE\xA0\xA3\xDF\xDF\xDF", // five bytes for U+3FFFF, which has four
        "\xFE\xA4\xB1\xA0\xA0",     // U+110000
        "\xFF\xA1\xDF",             // the byte 0x7F, an ASCII character
        "\xFD\xA0\xE0\xA0",         // a lead byte is no digit
        "\xFD\xA0\xA0",             // cut by the terminator
    };
    for (const char* text : notEscapes)
        EXPECT_EQ(readEscape(reinterpret_cast<const unsigned char*>(text)).kind, EscapeKind::None)
            << testing::PrintToString(std::string(text));
}

TEST(InsideEscape, CodeKeptOnlyWhenItReadsBackAsTheSameCharacter) {
    const struct { std::uint32_t codePoint; std::uint16_t pmxText, fileName; } rows[] = {
        {'A', 0x41, 0x41},
        {'\\', 0x5C, 0x5C},
        {'~', 0x81B0, 0x81B0},
        {0xA5, 0x5C, 0},        // the yen sign: the separator in a model's text, a character in a name
        {0x203E, 0x7E, 0},      // code page 932 reads 0x7E as "~"
        {0xFF5E, 0x8160, 0x8160},
        {0x301C, 0, 0},         // 0x8160 comes back as U+FF5E
        {0x2014, 0, 0},         // 0x815C comes back as U+2015
        {0x00A2, 0, 0},
        {0x9AD9, 0, 0},         // 髙: no code in the tables
        {0x1F600, 0, 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(insideCodeFor(row.codePoint, InsideReading::PmxText), row.pmxText) << std::hex << row.codePoint;
        EXPECT_EQ(insideCodeFor(row.codePoint, InsideReading::FileName), row.fileName) << std::hex << row.codePoint;
    }
}

TEST(InsideText, ShiftJisConsoleShowsAnEscapeAsItsCodeOrQuestionMark) {
    // U+301C as 0x8160; U+1F600, the byte 0xC3 and a lone surrogate as "?"; あ as it stands.
    const std::string inside = "a\xFD\xA3\xA0\xBC\xFD\xBF\xB8\xA0\xFF\xA3\xA3\xFD\xAD\xC0\xA0\x82\xA0";
    char shown[32];
    EXPECT_EQ(insideToShownSjis(shown, sizeof shown, inside.c_str()), 0);
    EXPECT_EQ(std::string(shown), "a\x81\x60???\x82\xA0");
    EXPECT_EQ(insideToShownSjis(shown, 4, inside.c_str()), -1); // cut between characters
    EXPECT_EQ(std::string(shown), "a\x81\x60");
    // A Windows ANSI call is given the code; a character without one names no file.
    EXPECT_EQ(insideToCodePageName(shown, sizeof shown, inside.substr(0, 5).c_str()), 0);
    EXPECT_EQ(std::string(shown), "a\x81\x60");
    EXPECT_EQ(insideToCodePageName(shown, sizeof shown, inside.c_str()), -1);
    // A console write: a NUL passes, an escape cut by the end of the write stays as it is.
    const std::string write = "\xFD\xA3\xA0\xBC\0x\xFD\xA3"s;
    const std::size_t n = insideBytesToShownSjis(shown, write.data(), write.size());
    EXPECT_EQ(std::string(shown, n), "\x81\x60\0x\xFD\xA3"s);
    EXPECT_TRUE(holdsEscape(write.data(), write.size()));
    EXPECT_FALSE(holdsEscape("\x82\xA0\xFC\xFC", 4));
}
