// Collecting arguments: quotes that a trail byte does not close, and the pool's bound.
#include <gtest/gtest.h>

#include <string>

#include "app/argument_list.h"

namespace {

TEST(ArgumentList, QuotedTextStopsAtTheClosingQuoteButNotAtATrailByte) {
    clearArguments();
    collectArgument("\"C:\\m\\a.pmx\" rest");
    collectArgument("\"\x93\x22x\"y"); // 0x93 0x22: a lead byte and a quote as its trail byte
    collectArgument("\"\"");           // copies nothing: adds nothing
    ASSERT_EQ(gArguments.count, 2);
    EXPECT_STREQ(argumentEntry(0), "C:\\m\\a.pmx");
    EXPECT_STREQ(argumentEntry(1), "\x93\x22x");
}

TEST(ArgumentList, PoolNeverOverflows) {
    clearArguments();
    const std::string big(40000, 'a');
    collectArgument(big.c_str());
    collectArgument(big.c_str()); // only what is left of the pool is taken
    collectArgument("x");         // nothing is left
    ASSERT_EQ(gArguments.count, 2);
    EXPECT_EQ(std::string(argumentEntry(1)).size(),
              static_cast<std::size_t>(kArgumentTextLimit - 40001));
    EXPECT_LE(gArguments.used, kArgumentPoolBytes);
}

} // namespace
