// Test helper of the end-to-end tests: runs the built program as a user's shell would, with
// arguments, a locale, and answers on standard input, and keeps what it wrote and its status.
// Also the two pieces of environment data a transcript needs: the host's version line and the
// Shift-JIS bytes of a Japanese text.
#pragma once

#include <string>
#include <vector>

namespace e2e {

struct ProgramRun {
    bool exited = false; // ended by exit (not by a signal)
    int status = -1;     // the exit status when it exited
    std::string out;     // standard output, byte for byte
    std::string err;     // standard error (the prompts)
};

// The built program, from the environment variable QV_BINARY; empty when it is not set.
std::string programPath();

// Runs the program with `args` after its own path. The child's environment holds LC_ALL =
// `locale` and no other locale variable (plus PATH and the sanitizer options when set);
// standard input is a file holding `input`.
ProgramRun runProgram(const std::vector<std::string>& args, const std::string& locale,
                      const std::string& input);

// " on <sysname> <release> " from uname(2): what the program's version line names on POSIX.
std::string hostVersionLine();

// `utf8` in code page 932, converted by the C library's iconv (independent of the program).
std::string shiftJis(const std::string& utf8);

} // namespace e2e
