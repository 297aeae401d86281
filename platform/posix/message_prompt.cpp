// MessageBoxA on POSIX: a one-line prompt on standard error, answered on standard input. The
// caller prints the message text on the console before asking; when the console is not on
// screen, the text is shown again above the prompt.
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/prompt_io.h"
#include "platform/terminal_text.h"

namespace platform {
namespace {

constexpr std::uint32_t kButtonMask = 0xF;

char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The answer without surrounding blanks equals `word` (lower case) without ASCII case.
bool answerIs(const char* answer, const char* word) {
    while (*answer == ' ' || *answer == '\t') ++answer;
    std::size_t length = std::strlen(answer);
    while (length > 0 && (answer[length - 1] == ' ' || answer[length - 1] == '\t')) --length;
    if (length != std::strlen(word)) return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (foldAscii(answer[i]) != word[i]) return false;
    }
    return true;
}

// With standard output sent to a file or a pipe the user sees no question above the prompt:
// the text goes to standard error first, converted as the console converts it (a Shift-JIS
// text for a UTF-8 terminal; a text composed in UTF-8 passes as it is).
void showTextOffScreen(const char* text, bool textIsUtf8) {
    if (text == nullptr || isatty(STDOUT_FILENO) == 1) return;
    if (textIsUtf8) {
        consoleFlush();
        writeShown(stderr, text, std::strlen(text), true);
    } else {
        posix::promptWrite(text);
    }
    std::fputc('\n', stderr);
}

// The prompt: the caption, then the buttons.
void prompt(const char* caption, const char* buttons) {
    posix::promptWrite(caption != nullptr ? caption : "");
    posix::promptWrite(buttons);
    posix::promptFlush();
}

// 0 when the answer names no button, so the prompt is repeated.
int yesNoCancel(const char* answer) {
    if (answerIs(answer, "y") || answerIs(answer, "yes")) return kIdYes;
    if (answerIs(answer, "n") || answerIs(answer, "no")) return kIdNo;
    if (answerIs(answer, "c") || answerIs(answer, "cancel")) return kIdCancel;
    return 0;
}

int okCancel(const char* answer) {
    if (answerIs(answer, "") || answerIs(answer, "o") || answerIs(answer, "ok")) return kIdOk;
    if (answerIs(answer, "c") || answerIs(answer, "cancel")) return kIdCancel;
    return 0;
}

} // namespace

int messageBox(const char* text, const char* caption, std::uint32_t flags, bool textIsUtf8) {
    showTextOffScreen(text, textIsUtf8);
    std::uint32_t buttons = flags & kButtonMask;
    const char* choices = buttons == kMbYesNoCancel ? " [Y]es/[N]o/[C]ancel? "
                          : buttons == kMbOkCancel  ? " [O]K/[C]ancel? "
                                                    : " [OK] ";
    char answer[posix::kAnswerBytes];
    bool terminal = posix::answersFromTerminal();
    if (buttons != kMbYesNoCancel && buttons != kMbOkCancel) {
        // A notice: only a person at a terminal is given the time to read it.
        prompt(caption, choices);
        if (terminal) {
            posix::readAnswerLine(answer);
        } else {
            std::fputc('\n', stderr);
        }
        return kIdOk;
    }
    for (int refused = 0;;) {
        prompt(caption, choices);
        int got = posix::readAnswerLine(answer);
        if (got < 0) {
            // End of input cancels: a run with nothing to answer changes nothing.
            if (!terminal) std::fputc('\n', stderr);
            return kIdCancel;
        }
        // Piped answers are not echoed; end the prompt line for whoever reads standard error.
        if (!terminal) std::fputc('\n', stderr);
        int id = got != 0 ? 0 : buttons == kMbYesNoCancel ? yesNoCancel(answer) : okCancel(answer);
        if (id != 0) return id;
        if (posix::refusedOnceMore(&refused)) return kIdCancel;
    }
}

} // namespace platform
