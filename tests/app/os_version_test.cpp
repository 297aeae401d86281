// The Windows version line: a build of Windows 8 must land on its row, not the one above.
#include <gtest/gtest.h>

#include "app/os_version.h"

namespace {

TEST(OsVersion, Windows8SelectsItsRow) {
    char out[64];
    windowsVersionLine(out, sizeof out, osVersionFromRtl(6, 2, 9200));
    EXPECT_STREQ(out, " on Windows 8 ");
}

} // namespace
