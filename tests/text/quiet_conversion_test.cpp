// The quiet conversions of the platform's code-page boundary: the converters' character rules
// without any console output, "?" for what has no character, and cuts at the capacity.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console_trace.h"
#include "text/convert.h"

namespace {

std::string quietToSjis(const std::string& utf8, std::size_t capacity = 64) {
    std::vector<char> out(capacity + 8, '#');
    ConsoleTrace trace;
    utf8ToSjisQuiet(out.data(), capacity, utf8.c_str());
    EXPECT_EQ(trace.text(), "");
    EXPECT_EQ(std::string(out.begin() + static_cast<long>(capacity), out.end()), std::string(8, '#'));
    return capacity == 0 ? std::string() : std::string(out.data());
}

std::string quietToUtf8(const std::string& sjis, std::size_t capacity = 64) {
    std::vector<char> out(capacity + 8, '#');
    ConsoleTrace trace;
    sjisToUtf8Quiet(out.data(), capacity, sjis.c_str());
    EXPECT_EQ(trace.text(), "");
    EXPECT_EQ(std::string(out.begin() + static_cast<long>(capacity), out.end()), std::string(8, '#'));
    return capacity == 0 ? std::string() : std::string(out.data());
}

} // namespace

TEST(QuietConversion, Utf8ToSjisKeepsSeparatorsAndAppliesOverrides) {
    EXPECT_EQ(quietToSjis("dir\\a~b.png"), "dir\\a\x81\xB0" "b.png");
    EXPECT_EQ(quietToSjis("\xE3\x81\x82\xEF\xBD\x9E\xE3\x80\x9C"), "\x82\xA0\x81\x60\x81\x60");
    EXPECT_EQ(quietToSjis("\xEF\xBD\xB1"), "\xB1");
}

TEST(QuietConversion, Utf8WithoutShiftJisCodeBecomesQuestionMark) {
    EXPECT_EQ(quietToSjis("a\xF0\x9F\x98\x80" "b"), "a?b");      // beyond the BMP
    EXPECT_EQ(quietToSjis("\xD4\x80"), "?");                      // U+0500, not in the table
    EXPECT_EQ(quietToSjis("\xC3\x41" "b\x80"), "?Ab?");          // malformed: the letter survives
    EXPECT_EQ(quietToSjis("x\xE3\x81"), "x?");                    // cut by the terminator
    // A disguised "/" or a yen sign must not become a separator.
    EXPECT_EQ(quietToSjis("\xC0\xAF"), "?");
    EXPECT_EQ(quietToSjis("\xC2\xA5"), "?");
}

TEST(QuietConversion, Utf8ToSjisIsCutAtACharacterBoundary) {
    EXPECT_EQ(quietToSjis("a\xE3\x81\x82" "b", 4), "a\x82\xA0");
    EXPECT_EQ(quietToSjis("a\xE3\x81\x82" "b", 3), "a");
    EXPECT_EQ(quietToSjis("abc", 1), "");
    EXPECT_EQ(quietToSjis("abc", 0), "");
}

TEST(QuietConversion, SjisToUtf8KeepsSeparatorsAndAppliesOverrides) {
    EXPECT_EQ(quietToUtf8("dir\\a\x81\xB0" "b"), "dir\\a~b");
    EXPECT_EQ(quietToUtf8("\x82\xA0\x81\x60\x87\xA0"), "\xE3\x81\x82\xEF\xBD\x9E\xF0\xA0\x80\x8B");
}

TEST(QuietConversion, SjisWithoutCharacterBecomesQuestionMark) {
    EXPECT_EQ(quietToUtf8("\x82\xF5" "a\xFD" "b\x81\x2E"), "?a?b?");
    EXPECT_EQ(quietToUtf8("a\x93"), "a?");
}

TEST(QuietConversion, SjisToUtf8IsCutAtACharacterBoundary) {
    EXPECT_EQ(quietToUtf8("a\x82\xA0" "b", 5), "a\xE3\x81\x82");
    EXPECT_EQ(quietToUtf8("a\x82\xA0" "b", 4), "a");
    EXPECT_EQ(quietToUtf8("ab", 0), "");
}
