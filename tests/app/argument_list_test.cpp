// Collecting arguments: quotes that a trail byte does not close, and the pool's bound.
#include <gtest/gtest.h>

#include <string>

#include "app/argument_list.h"

namespace {

TEST(ArgumentList, QuotedTextStopsAtTheClosingQuoteButNotAtATrailByte) {
    clearArguments();
    collectArgument("\"C:\\m\\a.pmx\" rest", true);
    collectArgument("\"\x93\x22x\"y", true); // 0x93 0x22: a lead byte and a quote as its trail byte
    collectArgument("\"\"", true);           // copies nothing: adds nothing
    collectArgument("\"a\".pmx", false);     // a name that begins with a quote (POSIX)
    ASSERT_EQ(gArguments.count, 3);
    EXPECT_STREQ(argumentEntry(0), "C:\\m\\a.pmx");
    EXPECT_STREQ(argumentEntry(1), "\x93\x22x");
    EXPECT_STREQ(argumentEntry(2), "\"a\".pmx");
}

TEST(ArgumentList, EntryThatDoesNotFitThePoolIsLeftOutWhole) {
    clearArguments();
    const std::string big(40000, 'a');
    EXPECT_EQ(collectArgument(big.c_str(), true), 0);
    EXPECT_EQ(collectArgument(big.c_str(), true), -1); // a cut entry would name another file
    EXPECT_EQ(collectArgument("x", true), 0);          // a shorter one still fits
    const std::string rest(kArgumentTextLimit - gArguments.used, 'b');
    EXPECT_EQ(collectArgument(("\"" + rest + "\"").c_str(), true), 0); // fills the pool exactly
    EXPECT_EQ(collectArgument("y", true), -1);
    ASSERT_EQ(gArguments.count, 3);
    EXPECT_STREQ(argumentEntry(1), "x");
    EXPECT_EQ(std::string(argumentEntry(2)), rest);
    EXPECT_LE(gArguments.used, kArgumentPoolBytes);
}

} // namespace
