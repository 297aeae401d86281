// Prompt output and answer input for the POSIX message boxes and open dialog. Plain stdio: the
// program is the only reader of standard input, and reads one line per answer.
#include "platform/posix/prompt_io.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "platform/posix/locale_settings.h"

namespace platform {
namespace posix {

void promptWrite(const char* sjis) {
    if (sjis == nullptr) return;
    // What the console holds comes first: the question stands above its prompt.
    consoleFlush();
    if (!consoleIsUtf8()) {
        std::fputs(sjis, stderr);
        return;
    }
    // Prompt texts are short (a title holds one 260-byte path); a longer one is cut.
    static char utf8[3 * kAnswerBytes + 1];
    sjisToUtf8Text(utf8, sizeof utf8, sjis);
    std::fputs(utf8, stderr);
}

void promptFlush() {
    consoleFlush();
    std::fflush(stderr);
}

int readAnswerLine(char* out) {
    out[0] = '\0';
    if (std::fgets(out, static_cast<int>(kAnswerBytes), stdin) == nullptr) return -1;
    std::size_t length = std::strlen(out);
    bool complete = length > 0 && out[length - 1] == '\n';
    int result = 0;
    if (!complete && !std::feof(stdin)) {
        // Longer than the buffer: the rest of the line is no separate answer.
        result = 1;
        int c;
        while ((c = std::getchar()) != EOF && c != '\n') {
        }
    }
    while (length > 0 && (out[length - 1] == '\n' || out[length - 1] == '\r')) --length;
    out[length] = '\0';
    return result;
}

bool answersFromTerminal() { return isatty(STDIN_FILENO) == 1; }

} // namespace posix
} // namespace platform
