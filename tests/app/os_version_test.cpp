// The Windows version table and the arithmetic that must land exactly on its thresholds.
#include <gtest/gtest.h>

#include <string>

#include "app/os_version.h"

namespace {

std::string line(float version) {
    char out[64];
    windowsVersionLine(out, sizeof out, version);
    return out;
}

TEST(OsVersion, RtlVersionsSelectTheirRows) {
    EXPECT_EQ(line(osVersionFromRtl(10, 0, 19045)), " on Windows 10.019 ");
    EXPECT_EQ(line(osVersionFromRtl(10, 0, 22631)), " on Windows 10.0226 ");
    EXPECT_EQ(line(osVersionFromRtl(6, 1, 7601)), " on Windows 7 ");
    EXPECT_EQ(line(osVersionFromRtl(6, 3, 9600)), " on Windows 8.1 ");
    EXPECT_EQ(line(osVersionFromRtl(6, 2, 9200)), " on Windows 8 ");
    EXPECT_EQ(line(osVersionFromRtl(6, 0, 6002)), " on Windows Vista ");
}

TEST(OsVersion, RtlVersionWithBuildZeroEqualsTheThreshold) {
    // Every step rounded to a float gives exactly the float of the threshold.
    EXPECT_EQ(osVersionFromRtl(6, 3, 0), 6.3f);
    EXPECT_EQ(line(osVersionFromRtl(6, 3, 0)), " on Windows 8.1 ");
    EXPECT_EQ(osVersionFromRtl(10, 0, 0), 10.0f);
    EXPECT_EQ(line(osVersionFromRtl(10, 0, 0)), " on Windows 10 ");
}

TEST(OsVersion, GetVersionValuesEqualToAThresholdSelectThatRow) {
    EXPECT_EQ(osVersionFromGetVersion(6, 1), 6.1f);
    EXPECT_EQ(line(osVersionFromGetVersion(6, 2)), " on Windows 8 ");
    EXPECT_EQ(line(osVersionFromGetVersion(6, 1)), " on Windows 7 ");
    EXPECT_EQ(line(osVersionFromGetVersion(6, 0)), " on Windows Vista ");
    EXPECT_EQ(line(osVersionFromGetVersion(5, 2)), " on Windows XP ");
    EXPECT_EQ(line(osVersionFromGetVersion(5, 1)), " on Windows 2000 ");
    EXPECT_EQ(line(osVersionFromGetVersion(5, 0)), " on Windows 95-98,Me ");
    EXPECT_EQ(line(osVersionFromGetVersion(4, 10)), " on Windows 95-98,Me ");
    EXPECT_EQ(line(osVersionFromGetVersion(5, 12)), " on Windows 8 ");
}

} // namespace
