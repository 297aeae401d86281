// Detection of the system's version and the version line of the start-up banner.
// The float steps are held in volatile floats so that no wider intermediate survives a step,
// whatever the compiler's evaluation method: a version equal to a threshold must select its row.
#include "app/os_version.h"

#include <cstdio>

#include "app/run_settings.h"
#include "platform/console.h"
#include "platform/platform.h"

namespace {

struct VersionRow {
    float atLeast; // the threshold at the precision of osVersion
    const char* line;
};

// First match wins; a version below every row is the last line.
const VersionRow kVersionRows[] = {
    {10.0f, " on Windows %g "},
    {6.3f, " on Windows 8.1 "},
    {6.2f, " on Windows 8 "},
    {6.1f, " on Windows 7 "},
    {6.0f, " on Windows Vista "},
    {5.2f, " on Windows XP "},
    // 5.1 is named so on purpose: doc/compatibility.md.
    {5.1f, " on Windows 2000 "},
};
const char kOldestWindows[] = " on Windows 95-98,Me ";

constexpr int kHostTextBytes = 128;

} // namespace

float osVersionFromGetVersion(std::uint32_t major, std::uint32_t minor) {
    const double tenth = 0.1;
    volatile float version = static_cast<float>(static_cast<long double>(major) +
                                                static_cast<long double>(minor) * tenth);
    return version;
}

float osVersionFromRtl(std::uint32_t major, std::uint32_t minor, std::uint32_t build) {
    volatile float t = static_cast<float>(build);
    t = t / 100000.0f;
    t = static_cast<float>(minor) + t;
    t = t / 10.0f;
    volatile float version = static_cast<float>(major) + t;
    return version;
}

void detectOsVersion() {
    std::uint32_t packed = platform::getVersion();
    std::uint32_t major = packed & 0xFFu;
    std::uint32_t minor = (packed >> 8) & 0xFFu;
    gSettings.osVersion = osVersionFromGetVersion(major, minor);
    if (major >= 6) {
        std::uint32_t rtlMajor = 0, rtlMinor = 0, build = 0;
        if (platform::rtlGetVersion(&rtlMajor, &rtlMinor, &build) == 0)
            gSettings.osVersion = osVersionFromRtl(rtlMajor, rtlMinor, build);
    }
}

void windowsVersionLine(char* out, std::size_t capacity, float version) {
    for (const VersionRow& row : kVersionRows) {
        if (version >= row.atLeast) {
            std::snprintf(out, capacity, row.line, static_cast<double>(version));
            return;
        }
    }
    std::snprintf(out, capacity, "%s", kOldestWindows);
}

void printVersionLine() {
    char name[kHostTextBytes];
    char release[kHostTextBytes];
    if (platform::hostSystem(name, sizeof name, release, sizeof release) == 0) {
        consolePrint(" on %s %s ", name, release);
        return;
    }
    char line[kHostTextBytes];
    windowsVersionLine(line, sizeof line, gSettings.osVersion);
    consolePrint("%s", line);
}
