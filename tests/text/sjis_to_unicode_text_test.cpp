// Shift-JIS -> UTF-16LE and UTF-8 (the writer's converters): overrides, characters beyond the
// Basic Multilingual Plane, undefined pairs, the notices and the sjisstat the writer relies on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console_trace.h"
#include "text/convert.h"

using namespace std::string_literals;

namespace {

struct Converted {
    int sjisstat;
    std::string bytes; // the output without its terminator
    std::string trace;
};

// Exact-size input so the sanitizer build catches a read past the terminator.
std::vector<char> exact(const std::string& sjis) {
    std::vector<char> in(sjis.begin(), sjis.end());
    in.push_back('\0');
    return in;
}

Converted toUtf16(const std::string& sjis) {
    std::vector<char> in = exact(sjis);
    std::vector<unsigned char> out(2 * sjis.size() + 2, 0xEE);
    ConsoleTrace trace;
    int sjisstat = sjisToUtf16(out.data(), in.data());
    std::size_t length = static_cast<std::size_t>(utf16ByteLength(out.data()));
    EXPECT_LE(length + 2, out.size());
    return {sjisstat, std::string(out.begin(), out.begin() + static_cast<long>(length)), trace.text()};
}

Converted toUtf8(const std::string& sjis) {
    std::vector<char> in = exact(sjis);
    std::vector<char> out(3 * sjis.size() + 1, '#');
    ConsoleTrace trace;
    int sjisstat = sjisToUtf8(out.data(), in.data());
    return {sjisstat, std::string(out.data()), trace.text()};
}

} // namespace

TEST(SjisToUnicodeText, OverridesAndSingleBytesGiveCodePage932Characters) {
    struct Case {
        std::string sjis, utf16, utf8;
    } cases[] = {
        {"\x81\x5C", "\x15\x20", "\xE2\x80\x95"},              // U+2015, not the table's U+2014
        {"\x81\x60", "\x5E\xFF", "\xEF\xBD\x9E"},              // U+FF5E
        {"\x87\x90", "\x52\x22", "\xE2\x89\x92"},              // U+2252, not in the table
        {"~", "\x3E\x20", "\xE2\x80\xBE"},                     // U+203E
        {"a\\b", "a\0\\\0b\0"s, "a\\b"},                       // the separator stays itself
        {"\xB1", "\x71\xFF", "\xEF\xBD\xB1"},                  // half-width katakana
        {"\xA0", "\xA0\0"s, "\xC2\xA0"},                       // no entry: keeps its own value
        {"\x82\xA0", "\x42\x30", "\xE3\x81\x82"},
    };
    for (const Case& c : cases) {
        Converted u16 = toUtf16(c.sjis);
        Converted u8 = toUtf8(c.sjis);
        EXPECT_EQ(u16.bytes, c.utf16) << c.sjis;
        EXPECT_EQ(u8.bytes, c.utf8) << c.sjis;
        EXPECT_EQ(u16.sjisstat, 7);
        EXPECT_EQ(u8.sjisstat, 7);
        EXPECT_EQ(u16.trace + u8.trace, "");
    }
}

TEST(SjisToUnicodeText, CharacterBeyondTheBmpBecomesASurrogatePairOrFourBytes) {
    EXPECT_EQ(toUtf16("\x87\xA0").bytes, "\x40\xD8\x0B\xDC");
    EXPECT_EQ(toUtf8("\x87\xA0").bytes, "\xF0\xA0\x80\x8B");
}

TEST(SjisToUnicodeText, UndefinedPairKeepsItsCodeInUtf16AndIsReportedInUtf8) {
    Converted u16 = toUtf16("\x82\xF5" "a");
    EXPECT_EQ(u16.bytes, "\xF5\x82" "a\0"s);
    EXPECT_EQ(u16.trace, "");
    Converted u8 = toUtf8("\x82\xF5" "a");
    EXPECT_EQ(u8.bytes, "a");
    EXPECT_EQ(u8.trace, "<<<uni000000:sjis0082F5>>>");
    EXPECT_EQ(u8.sjisstat, 7);
}

TEST(SjisToUnicodeText, LowTrailByteIsReportedAndStillConsumed) {
    Converted u16 = toUtf16("\x81\x2E" "x");
    EXPECT_EQ(u16.sjisstat, 1);
    EXPECT_EQ(u16.bytes, "\x2E\x81x\0"s);
    EXPECT_EQ(u16.trace, "[81 2E(x)](2nd byte==0x00-3F) ");
    Converted u8 = toUtf8("\x81\x2E" "x");
    EXPECT_EQ(u8.sjisstat, 1);
    EXPECT_EQ(u8.bytes, "x");
    EXPECT_EQ(u8.trace, "[81 2E(x)](2nd byte==0x00-3F) <<<uni000000:sjis00812E>>>");
}

TEST(SjisToUnicodeText, StatusReachesZeroOnlyForTextThatIsNotShiftJis) {
    struct Case {
        std::string sjis;
        int sjisstat;
    } cases[] = {
        {"\x80\x41" "a\x81\x2E", 0}, // lead byte 0x80 (AND 2), then a low trail byte (AND 1)
        {"\x80\x30", 2},             // lead byte 0x80 gets no trail-byte test
        {"a\x93", 3},                // lone final lead byte
        {"\x80", 3},
        {"\xE0\x40", 15},            // lead byte outside the first rows: bit 3
        {"\xE0\x30", 1},             // ... cleared again by the low-trail AND
        {"a\xFD" "b", 15},           // skipped byte
        {"\xFD\x82\x2E", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toUtf16(c.sjis).sjisstat, c.sjisstat) << testing::PrintToString(c.sjis);
        EXPECT_EQ(toUtf8(c.sjis).sjisstat, c.sjisstat) << testing::PrintToString(c.sjis);
    }
}

TEST(SjisToUnicodeText, LoneFinalLeadByteAndSkippedBytesWriteNothing) {
    EXPECT_EQ(toUtf16("a\x93").bytes, "a\0"s);
    EXPECT_EQ(toUtf8("a\x93").bytes, "a");
    EXPECT_EQ(toUtf16("a\xFD\xFE\xFF" "b").bytes, "a\0b\0"s);
    EXPECT_EQ(toUtf8("a\xFD\xFE\xFF" "b").bytes, "ab");
}
