// Win32 console sink: the program's console bytes go to standard output as they are; the C
// runtime's text mode turns each "\n" into "\r\n" as every console program of the system does.
#include <cstdio>

#include "platform/platform.h"

namespace platform {

// On Windows the console shows the ANSI code page, so both kinds of text pass unchanged
// (an English message text composed in UTF-8 included, as in the message box).
void consoleWrite(const char* bytes, std::size_t length, bool /*alreadyUtf8*/) {
    std::fwrite(bytes, 1, length, stdout);
}

void consoleFlush() { std::fflush(stdout); }

} // namespace platform
