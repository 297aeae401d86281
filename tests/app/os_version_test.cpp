// The Windows version table and the arithmetic that must land exactly on its thresholds.
#include <gtest/gtest.h>

#include <string>

#include "app/os_version.h"

namespace {

struct VersionCase {
    unsigned major, minor;
    int build; // -1: the GetVersion path
    const char* line;
};

TEST(OsVersion, VersionsSelectTheirRows) {
    const VersionCase cases[] = {
        {10, 0, 19045, " on Windows 10.019 "}, {10, 0, 22631, " on Windows 10.0226 "},
        {10, 0, 0, " on Windows 10 "},         {6, 3, 9600, " on Windows 8.1 "},
        {6, 3, 0, " on Windows 8.1 "},         {6, 2, 9200, " on Windows 8 "},
        {6, 1, 7601, " on Windows 7 "},        {6, 0, 6002, " on Windows Vista "},
        // GetVersion values equal to a threshold select that row.
        {6, 2, -1, " on Windows 8 "},          {6, 1, -1, " on Windows 7 "},
        {6, 0, -1, " on Windows Vista "},      {5, 2, -1, " on Windows XP "},
        {5, 1, -1, " on Windows 2000 "},       {5, 0, -1, " on Windows 95-98,Me "},
        {4, 10, -1, " on Windows 95-98,Me "},  {5, 12, -1, " on Windows 8 "},
    };
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.major) + "." + std::to_string(c.minor) + "." +
                     std::to_string(c.build));
        char out[64];
        windowsVersionLine(out, sizeof out,
                           c.build < 0 ? osVersionFromGetVersion(c.major, c.minor)
                                       : osVersionFromRtl(c.major, c.minor,
                                                          static_cast<unsigned>(c.build)));
        EXPECT_STREQ(out, c.line);
    }
}

} // namespace
