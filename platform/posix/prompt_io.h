// The terminal side of the message boxes and the open dialog: prompts on standard error
// (after the console on standard output is flushed), answers from standard input, one line each.
#pragma once

#include <cstddef>

namespace platform {
namespace posix {

// One answer line, without its LF or CR LF.
constexpr std::size_t kAnswerBytes = 1024;
// Input that goes on this long without a line end never ends a line (/dev/zero): Cancel.
constexpr std::size_t kEndlessLineBytes = 64 * 1024;
// Refused answers in a row that a script, which would only repeat them, is given.
constexpr int kRefusedAnswerLimit = 20;

// Writes a prompt text (Shift-JIS, converted for a UTF-8 terminal) to standard error, after
// flushing the console on standard output; control characters are shown escaped.
void promptWrite(const char* sjis);

// Flushes the console and standard error, so the prompt is the last thing the user sees.
void promptFlush();

// Reads one line into `out` (kAnswerBytes), without the line end. 0 for a line; 1 for a line
// too long for the buffer (its rest is read and dropped, `out` holds its start); 2 for a line
// holding a NUL byte, which no answer holds; -1 at the end of input, or when no line end comes
// within kEndlessLineBytes.
int readAnswerLine(char* out);

// Counts one more refused answer in a row. true, after a line on standard error, when the
// answers come from no terminal and this was the kRefusedAnswerLimit-th: take it as Cancel.
bool refusedOnceMore(int* refusedInARow);

// Standard input is a terminal (a person types the answers, and sees their own echo).
bool answersFromTerminal();

} // namespace posix
} // namespace platform
