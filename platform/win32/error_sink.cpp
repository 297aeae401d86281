// Win32 error sink: an error line to standard error as the ANSI code page shows it (escapes of
// the inside form as their code page 932 code or "?"), its control characters shown.
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/terminal_text.h"
#include "text/inside_text.h"

namespace platform {

void errorWrite(const char* text) {
    if (text == nullptr) return;
    // A line about a model comes after the report on it, also when both reach one console.
    consoleFlush();
    static char shown[8192];
    const std::size_t length = std::strlen(text);
    writeShown(stderr, shown, insideBytesToShownSjis(shown, text, length < sizeof shown ? length : sizeof shown),
               false);
    std::fflush(stderr);
}

} // namespace platform
