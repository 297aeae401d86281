// Runs a piece of the platform layer in a forked child with its own locale variables, standard
// input taken from a given text and standard output and error kept apart, the way a user's
// terminal or a script drives the program.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace platformtest {

struct ChildResult {
    int exitCode; // the body's result (0-255), or -1 when the child did not exit normally
    std::string out;
    std::string err;
};

// The locale variables LC_ALL, LC_MESSAGES, LC_CTYPE and LANG are cleared in the child, then
// `env` is set and the platform reads the locale again; `body` runs with `input` on standard
// input (a file, not a terminal). Its result becomes the exit code.
ChildResult runInChild(const std::string& input,
                       const std::vector<std::pair<std::string, std::string>>& env,
                       const std::function<int()>& body);

} // namespace platformtest
