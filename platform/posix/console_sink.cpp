// POSIX console sink: writes the program's console bytes to standard output.
#include <cstdio>

#include "platform/platform.h"

namespace platform {

void consoleWrite(const char* bytes, std::size_t length, bool /*alreadyUtf8*/) {
    std::fwrite(bytes, 1, length, stdout);
}

void consoleFlush() { std::fflush(stdout); }

} // namespace platform
