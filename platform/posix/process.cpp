// POSIX process start: keeps the raw arguments, reads the locale, and hands each argument over
// in the inside form (Shift-JIS, backslash separators except in option entries).
#include <signal.h>

#include <cstring>

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
    // A file-size limit met while saving is a failed write the save reports and cleans up,
    // not a signal that ends the process with a partial temporary file.
    signal(SIGXFSZ, SIG_IGN);
}

int argumentCount() { return gArgc; }

// The shell has removed the quoting: a quote is part of the name.
bool argumentsMayBeQuoted() { return false; }

int argument(int index, char* out, std::size_t capacity) {
    if (out == nullptr || capacity == 0) return -1;
    out[0] = '\0';
    if (index < 0 || index >= gArgc || gArgv[index] == nullptr) return -1;
    const char* text = gArgv[index];
    // A leading '/' starts an absolute path here, so only '-' marks an option entry, whose
    // slashes still separate options ("-d2/m3").
    // A character the inside form escapes takes more bytes than outside: a cut argument would
    // name another file.
    if (posix::textToInside(out, capacity, text, text[0] == '-') != 0) return 1;
    // A name may hold a backslash here; inside it would split the name into folders
    // (x\..\..\home\m.pmx would name a file elsewhere).
    if (index > 0 && text[0] != '-' && std::strchr(text, '\\') != nullptr) return 2;
    return 0;
}

void argumentAsGiven(int index, char* out, std::size_t capacity) {
    if (out == nullptr || capacity == 0) return;
    out[0] = '\0';
    if (index >= 0 && index < gArgc && gArgv[index] != nullptr) posix::textToInside(out, capacity, gArgv[index], true);
}

} // namespace platform
