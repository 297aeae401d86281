// Shared set-up of the fuzz targets: the program's console silenced (libFuzzer reports on
// standard error).
#pragma once

#include <cstdio>

namespace qvfuzz {

inline void silenceConsole() {
    // The program prints through platform::consoleWrite to standard output only.
    if (std::freopen("/dev/null", "w", stdout) == nullptr) std::fputs("cannot silence stdout\n", stderr);
}

} // namespace qvfuzz
