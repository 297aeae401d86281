// The Windows version line: Windows 8, by its build and by a GetVersion value equal to the
// row's threshold, must land on its row, not the one above.
#include <gtest/gtest.h>

#include "app/os_version.h"

namespace {

TEST(OsVersion, Windows8SelectsItsRow) {
    for (float version : {osVersionFromRtl(6, 2, 9200), osVersionFromGetVersion(6, 2)}) {
        char out[64];
        windowsVersionLine(out, sizeof out, version);
        EXPECT_STREQ(out, " on Windows 8 ") << version;
    }
}

} // namespace
