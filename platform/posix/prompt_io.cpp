// Prompt output and answer input for the POSIX message boxes and open dialog. Plain stdio: the
// program is the only reader of standard input, and reads one line per answer.
#include "platform/posix/prompt_io.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "platform/posix/locale_settings.h"
#include "platform/terminal_text.h"
#include "text/inside_text.h"

namespace platform {
namespace posix {

void promptWrite(const char* sjis) {
    if (sjis == nullptr) return;
    // What the console holds comes first: the question stands above its prompt.
    consoleFlush();
    // Prompt texts are short (a title holds one 260-byte path); a longer one is cut.
    if (!consoleIsUtf8()) {
        static char shown[kAnswerBytes];
        insideToShownSjis(shown, sizeof shown, sjis);
        writeShown(stderr, shown, std::strlen(shown), false);
        return;
    }
    static char utf8[3 * kAnswerBytes + 1];
    sjisToUtf8Text(utf8, sizeof utf8, sjis);
    writeShown(stderr, utf8, std::strlen(utf8), true);
}

void promptFlush() {
    consoleFlush();
    std::fflush(stderr);
}

int readAnswerLine(char* out) {
    std::size_t kept = 0;
    std::size_t total = 0;
    bool holdsNul = false;
    for (int c; (c = std::getchar()) != '\n';) {
        if (c == EOF) {
            if (total == 0) {
                out[0] = '\0';
                return -1;
            }
            break; // a last line without its line end is still an answer
        }
        if (++total > kEndlessLineBytes) {
            out[0] = '\0';
            return -1;
        }
        // A NUL would end the text early and hide the rest of the line; the line is refused.
        if (c == '\0') holdsNul = true;
        if (kept < kAnswerBytes - 1) out[kept++] = static_cast<char>(c);
    }
    while (kept > 0 && out[kept - 1] == '\r') --kept;
    out[kept] = '\0';
    if (holdsNul) return 2;
    return total >= kAnswerBytes ? 1 : 0;
}

bool refusedOnceMore(int* refusedInARow) {
    if (++*refusedInARow < kRefusedAnswerLimit || answersFromTerminal()) return false;
    std::fprintf(stderr, "%d refused answers in a row: taken as Cancel.\n", kRefusedAnswerLimit);
    return true;
}

bool answersFromTerminal() { return isatty(STDIN_FILENO) == 1; }

} // namespace posix
} // namespace platform
