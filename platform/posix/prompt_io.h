// The terminal side of the message boxes and the open dialog: prompts on standard error
// (after the console on standard output is flushed), answers from standard input, one line each.
#pragma once

#include <cstddef>

namespace platform {
namespace posix {

// One answer line, without its LF or CR LF.
constexpr std::size_t kAnswerBytes = 1024;

// Writes a prompt text (Shift-JIS, converted for a UTF-8 terminal) to standard error, after
// flushing the console on standard output.
void promptWrite(const char* sjis);

// Flushes the console and standard error, so the prompt is the last thing the user sees.
void promptFlush();

// Reads one line into `out` (kAnswerBytes), without the line end. 0 for a line; 1 for a line
// too long for the buffer (its rest is read and dropped, `out` holds its start); -1 at the end
// of input.
int readAnswerLine(char* out);

// Standard input is a terminal (a person types the answers, and sees their own echo).
bool answersFromTerminal();

} // namespace posix
} // namespace platform
