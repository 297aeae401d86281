// The operating system's version: computed from GetVersion and RtlGetVersion with the
// rounding the version table relies on, and the start-up line that names it.
#pragma once

#include <cstddef>
#include <cstdint>

// major + minor * 0.1, worked in extended precision and rounded once to a float.
float osVersionFromGetVersion(std::uint32_t major, std::uint32_t minor);
// major + (minor + build / 100000) / 10, every step rounded to a float.
float osVersionFromRtl(std::uint32_t major, std::uint32_t minor, std::uint32_t build);
// Fills gSettings.osVersion from the platform's two version calls.
void detectOsVersion();
// The Windows row for a version (" on Windows 7 ", " on Windows 10.019 ", ...) into `out`.
void windowsVersionLine(char* out, std::size_t capacity, float version);
// Prints the version line: the host system's name and release where the platform gives
// them, else the Windows row of gSettings.osVersion. No newline.
void printVersionLine();
