// The start-up mode label: a Japanese user without the Shift-JIS code page is not in
// Japanese mode and is told so.
#include <gtest/gtest.h>

#include <string>

#include "app/language_mode.h"

namespace {

TEST(LanguageMode, LabelPerLanguageAndCodePage) {
    EXPECT_STREQ(modeLabel(false, false), "(English mode) ");
    EXPECT_STREQ(modeLabel(false, true), "(English mode) ");
    EXPECT_STREQ(modeLabel(true, false), "(UTF-8 Japanese)");
    // 日本語環境 in Shift-JIS.
    EXPECT_EQ(std::string(modeLabel(true, true)),
              "(\x93\xFA\x96\x7B\x8C\xEA\x8A\xC2\x8B\xAB) ");
}

} // namespace
