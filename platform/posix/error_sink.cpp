// POSIX error sink: an error line to standard error, converted from the inside form as console
// text is (UTF-8 under a UTF-8 locale, else plain Shift-JIS), its control characters shown.
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "platform/posix/locale_settings.h"
#include "platform/terminal_text.h"
#include "text/inside_text.h"

namespace platform {

void errorWrite(const char* text) {
    if (text == nullptr) return;
    // A line about a model comes after the report on it, also when both reach one terminal.
    consoleFlush();
    // An error names at most a path or two: the console's own line bound holds it.
    static char shown[3 * 8192 + 1];
    const std::size_t length = std::strlen(text);
    if (posix::consoleIsUtf8()) {
        posix::sjisToUtf8Text(shown, sizeof shown, text);
        writeShown(stderr, shown, std::strlen(shown), true);
    } else {
        writeShown(stderr, shown, insideBytesToShownSjis(shown, text, length < sizeof shown ? length : sizeof shown),
                   false);
    }
    std::fflush(stderr);
}

} // namespace platform
