// Runs a piece of the platform layer in a forked child, the way a terminal or a script drives
// the program: its own locale variables, standard input read from a given text, standard output
// and error kept apart in temporary files that the parent reads after the child has ended.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platformtest {

struct ChildResult {
    int exitCode; // the body's result (0-255), or -1 when the child did not exit normally
    std::string out, err;
};

// Everything in an open file from its start; the file is closed.
inline std::string readAll(std::FILE* file) {
    std::string bytes;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;) bytes.push_back(static_cast<char>(c));
    std::fclose(file);
    return bytes;
}

// LC_ALL, LC_MESSAGES, LC_CTYPE and LANG are cleared in the child, then the "NAME=value"
// entries of `env` set, and the platform reads the locale again. `body`'s result is the exit
// code. Standard input is a file, not a terminal.
inline ChildResult runInChild(const std::string& input, const std::vector<std::string>& env,
                              const std::function<int()>& body) {
    std::FILE* streams[3] = {std::tmpfile(), std::tmpfile(), std::tmpfile()};
    ChildResult result{-1, "", ""};
    if (!streams[0] || !streams[1] || !streams[2]) return result;
    std::fwrite(input.data(), 1, input.size(), streams[0]);
    std::fflush(nullptr); // nothing buffered is written twice, by the parent and the child
    std::rewind(streams[0]);
    pid_t pid = fork();
    if (pid == 0) {
        for (int fd = 0; fd < 3; ++fd) dup2(fileno(streams[fd]), fd);
        std::clearerr(stdin);
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_CTYPE", "LANG"}) unsetenv(name);
        for (const std::string& entry : env) putenv(strdup(entry.c_str())); // kept by putenv
        platform::startProcess(0, nullptr);
        int code = body();
        std::fflush(nullptr);
        _exit(code & 0xFF);
    }
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    std::fclose(streams[0]);
    result.out = readAll(streams[1]);
    result.err = readAll(streams[2]);
    return result;
}

} // namespace platformtest
