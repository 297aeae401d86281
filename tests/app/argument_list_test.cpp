// Collecting arguments: quotes, empty texts, the pool's bound, and option entries.
#include <gtest/gtest.h>

#include <string>

#include "app/argument_list.h"

namespace {

TEST(ArgumentList, QuotedTextStopsAtTheClosingQuoteButNotAtATrailByte) {
    clearArguments();
    collectArgument("\"C:\\m\\a.pmx\" rest");
    // 0x93 0x22 would be a lead byte and a quote as trail byte: the quote belongs to it.
    collectArgument("\"\x93\x22x\"y");
    collectArgument("plain \"text\"");
    ASSERT_EQ(gArguments.count, 3);
    EXPECT_STREQ(argumentEntry(0), "C:\\m\\a.pmx");
    EXPECT_STREQ(argumentEntry(1), "\x93\x22x");
    EXPECT_STREQ(argumentEntry(2), "plain \"text\"");
}

TEST(ArgumentList, EmptyTextsAddNothing) {
    clearArguments();
    collectArgument("");
    collectArgument("\"");
    collectArgument("\"\"");
    EXPECT_EQ(gArguments.count, 0);
    EXPECT_EQ(gArguments.used, 0);
}

TEST(ArgumentList, PoolNeverOverflows) {
    clearArguments();
    const std::string big(40000, 'a');
    collectArgument(big.c_str());
    collectArgument(big.c_str()); // only what is left of the pool is taken
    collectArgument("x");         // nothing is left
    ASSERT_EQ(gArguments.count, 2);
    EXPECT_EQ(std::string(argumentEntry(0)).size(), 40000u);
    EXPECT_EQ(std::string(argumentEntry(1)).size(),
              static_cast<std::size_t>(kArgumentTextLimit - 40001));
    EXPECT_LE(gArguments.used, kArgumentPoolBytes);
}

TEST(ArgumentList, OptionEntriesStartWithDashOrSlash) {
    EXPECT_TRUE(isOptionEntry("-D2"));
    EXPECT_TRUE(isOptionEntry("/D2"));
    EXPECT_FALSE(isOptionEntry("\\tmp\\m.pmx"));
    EXPECT_FALSE(isOptionEntry("m.pmx"));
}

} // namespace
