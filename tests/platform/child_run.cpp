// The forked-child runner of the platform tests: temp files stand for the three standard
// streams, so the parent reads what the child wrote on each after it has ended.
#include "tests/platform/child_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"
#include "tests/support/io_test_files.h"

namespace platformtest {

ChildResult runInChild(const std::string& input,
                       const std::vector<std::pair<std::string, std::string>>& env,
                       const std::function<int()>& body) {
    iotest::TempFolder streams;
    std::string inPath = streams.file("in");
    std::string outPath = streams.file("out");
    std::string errPath = streams.file("err");
    iotest::writeFile(inPath, input);

    std::fflush(stdout);
    std::fflush(stderr);
    pid_t pid = fork();
    if (pid == 0) {
        int in = open(inPath.c_str(), O_RDONLY);
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0) _exit(255);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        std::clearerr(stdin);
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_CTYPE", "LANG"}) unsetenv(name);
        for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
        platform::startProcess(0, nullptr);
        int code = body();
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(code & 0xFF);
    }
    ChildResult result{-1, "", ""};
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    result.out = iotest::readFile(outPath);
    result.err = iotest::readFile(errPath);
    return result;
}

} // namespace platformtest
