// POSIX process start: keeps the raw arguments, reads the locale, and hands each argument over
// in the inside form (Shift-JIS, backslash separators except in option entries).
#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "platform/posix/locale_settings.h"

namespace platform {
namespace {
int gArgc = 0;
char** gArgv = nullptr;
} // namespace

void startProcess(int argc, char** argv) {
    gArgc = argv != nullptr && argc > 0 ? argc : 0;
    gArgv = argv;
    posix::readLocale();
}

int argumentCount() { return gArgc; }

int argument(int index, char* out, std::size_t capacity) {
    if (out == nullptr || capacity == 0) return -1;
    out[0] = '\0';
    if (index < 0 || index >= gArgc || gArgv[index] == nullptr) return -1;
    const char* text = gArgv[index];
    // A leading '/' starts an absolute path here, so only '-' marks an option entry, whose
    // slashes still separate options ("-d2/m3").
    posix::textToInside(out, capacity, text, text[0] == '-');
    return 0;
}

} // namespace platform
