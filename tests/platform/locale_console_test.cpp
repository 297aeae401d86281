// The language and the console mode for each locale setting: Japanese only for a locale name
// starting with "ja", Shift-JIS console text converted to UTF-8 only for a UTF-8 codeset, and
// standard output carrying the console text and nothing else.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/console.h"
#include "platform/platform.h"
#include "tests/platform/child_run.h"

namespace {

using Env = std::vector<std::pair<std::string, std::string>>;

// モ in Shift-JIS and in UTF-8.
const std::string kMoSjis = "\x83\x82";
const std::string kMoUtf8 = "\xE3\x83\xA2";

struct LocaleRow {
    const char* label;
    Env env;
    int langId;
    bool utf8Console;
};

class LocaleSetting : public ::testing::TestWithParam<LocaleRow> {};

TEST_P(LocaleSetting, GivesItsLanguageAndConsoleMode) {
    const LocaleRow& row = GetParam();
    platformtest::ChildResult result = platformtest::runInChild("", row.env, [] {
        // A Shift-JIS piece, an English text composed in UTF-8, and "~" (ASCII stays ASCII).
        consolePrint("%s ~", "\x83\x82");
        consolePrintUtf8(" \xE3\x83\xA2\n");
        platform::consoleFlush();
        return platform::userDefaultLangId() == 1041 ? 1 : 0;
    });
    EXPECT_EQ(result.exitCode, row.langId == 1041 ? 1 : 0) << row.label;
    std::string expected = (row.utf8Console ? kMoUtf8 : kMoSjis) + " ~ " + kMoUtf8 + "\n";
    EXPECT_EQ(result.out, expected) << row.label;
    EXPECT_EQ(result.err, "") << row.label;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LocaleSetting,
    ::testing::Values(
        LocaleRow{"nothing set", {}, 1033, false},
        LocaleRow{"LC_ALL=C", {{"LC_ALL", "C"}, {"LANG", "ja_JP.UTF-8"}}, 1033, false},
        LocaleRow{"POSIX", {{"LC_ALL", "POSIX"}}, 1033, false},
        LocaleRow{"ja_JP.SJIS", {{"LC_ALL", "ja_JP.SJIS"}}, 1041, false},
        LocaleRow{"ja_JP.UTF-8", {{"LC_ALL", "ja_JP.UTF-8"}}, 1041, true},
        LocaleRow{"C.UTF-8", {{"LC_ALL", "C.UTF-8"}}, 1033, true},
        LocaleRow{"LANG only, utf8", {{"LANG", "ja_JP.utf8"}}, 1041, true},
        LocaleRow{"LANG only, English", {{"LANG", "en_US.UTF-8"}}, 1033, true},
        LocaleRow{"modifier after the codeset", {{"LANG", "ja_JP.UTF-8@cjk"}}, 1041, true},
        LocaleRow{"empty LC_ALL is skipped",
                  {{"LC_ALL", ""}, {"LC_MESSAGES", "ja_JP.eucJP"}, {"LANG", "en_US.UTF-8"}},
                  1041, true},
        LocaleRow{"LC_ALL wins over LANG",
                  {{"LC_ALL", "en_GB.ISO-8859-1"}, {"LANG", "ja_JP.UTF-8"}}, 1033, false},
        LocaleRow{"LC_CTYPE gives the codeset, LC_MESSAGES the language",
                  {{"LC_CTYPE", "C.UTF-8"}, {"LC_MESSAGES", "ja_JP"}, {"LANG", "C"}}, 1041,
                  true},
        LocaleRow{"LC_CTYPE is no language", {{"LC_CTYPE", "ja_JP.UTF-8"}}, 1033, true},
        LocaleRow{"a codeset that only resembles UTF-8", {{"LANG", "ja_JP.UTF-16"}}, 1041,
                  false}),
    [](const ::testing::TestParamInfo<LocaleRow>& row) {
        return "Row" + std::to_string(row.index);
    });

TEST(Console, PieceEndingInALeadByteIsJoinedWithTheNext) {
    platformtest::ChildResult result =
        platformtest::runInChild("", {{"LANG", "ja_JP.UTF-8"}}, [] {
            platform::consoleWrite("a\x83", 2, false);
            platform::consoleWrite("\x82" "b\x83", 3, false);
            platform::consoleWrite("\x82\n", 2, false);
            platform::consoleFlush();
            return 0;
        });
    EXPECT_EQ(result.out, "a" + kMoUtf8 + "b" + kMoUtf8 + "\n");
}

TEST(Console, LongTextIsConvertedWholeAcrossItsInnerSteps) {
    // More than the sink converts at once, with pairs standing across every step boundary.
    platformtest::ChildResult result =
        platformtest::runInChild("", {{"LANG", "C.UTF-8"}}, [] {
            std::string text = "x";
            for (int i = 0; i < 3000; ++i) text += "\x83\x82";
            platform::consoleWrite(text.data(), text.size(), false);
            platform::consoleFlush();
            return 0;
        });
    std::string expected = "x";
    for (int i = 0; i < 3000; ++i) expected += kMoUtf8;
    EXPECT_EQ(result.out, expected);
}

} // namespace
