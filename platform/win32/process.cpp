// Win32 process start: the arguments arrive from the C runtime already in the ANSI code page
// (the inside form), so they are handed out as they are.
#include <windows.h>

#include <cstring>

#include "platform/platform.h"

namespace platform {
namespace {
int gArgc = 0;
char** gArgv = nullptr;
} // namespace

void startProcess(int argc, char** argv) {
    gArgc = argc;
    gArgv = argv;
}

int argumentCount() { return gArgc; }

// The program splits its own command line here, so a path may come in double quotes.
bool argumentsMayBeQuoted() { return true; }

int argument(int index, char* out, std::size_t capacity) {
    if (index < 0 || index >= gArgc || gArgv == nullptr || out == nullptr || capacity == 0) {
        return -1;
    }
    const char* text = gArgv[index];
    std::size_t used = 0;
    while (text[used] != '\0') {
        // A double-byte character is copied whole or not at all; its trail byte is never
        // tested for the terminator of the output.
        std::size_t step = 1;
        if (IsDBCSLeadByte(static_cast<BYTE>(text[used])) && text[used + 1] != '\0') step = 2;
        if (step > capacity - 1 - used) break;
        std::memcpy(out + used, text + used, step);
        used += step;
    }
    out[used] = '\0';
    return text[used] == '\0' ? 0 : 1; // a cut argument names another file
}

} // namespace platform
