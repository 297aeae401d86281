// Win32 process start: the arguments come from the wide command line (GetCommandLineW, split by
// CommandLineToArgvW as the C runtime splits it) and are turned into the inside form with the
// project's own tables, so a name reaches the program whole on a system of any code page.
#include <windows.h>
#include <shellapi.h>

#include "platform/platform.h"
#include "platform/win32/wide_names.h"

namespace platform {
namespace {
int gArgc = 0;
LPWSTR* gWideArgv = nullptr; // kept for the whole run, as the C runtime keeps its argv
} // namespace

void startProcess(int /*argc*/, char** /*argv*/) {
    gWideArgv = CommandLineToArgvW(GetCommandLineW(), &gArgc);
    if (gWideArgv == nullptr) gArgc = 0;
}

int argumentCount() { return gArgc; }

// The program splits its own command line here, so a path may come in double quotes.
bool argumentsMayBeQuoted() { return true; }

int argument(int index, char* out, std::size_t capacity) {
    if (index < 0 || index >= gArgc || gWideArgv == nullptr || out == nullptr || capacity == 0) return -1;
    // A cut argument names another file.
    return win32::fromWide(gWideArgv[index], out, capacity) == 0 ? 0 : 1;
}

void argumentAsGiven(int index, char* out, std::size_t capacity) {
    if (out == nullptr || capacity == 0) return;
    if (argument(index, out, capacity) != 0) out[0] = '\0';
}

} // namespace platform
