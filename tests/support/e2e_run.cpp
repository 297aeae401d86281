// Running the built program in a child process for the end-to-end tests (see e2e_run.h).
#include "tests/support/e2e_run.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace e2e {
namespace {

std::string makeTempFile(const std::string& contents) {
    char name[] = "/tmp/qv-e2e-XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0) return "";
    std::size_t done = 0;
    while (done < contents.size()) {
        ssize_t n = write(fd, contents.data() + done, contents.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    close(fd);
    return name;
}

std::string slurp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void keepVariable(std::vector<std::string>* env, const char* name) {
    const char* value = std::getenv(name);
    if (value != nullptr) env->push_back(std::string(name) + "=" + value);
}

} // namespace

std::string programPath() {
    const char* path = std::getenv("QV_BINARY");
    return path == nullptr ? std::string() : std::string(path);
}

ProgramRun runProgram(const std::vector<std::string>& args, const std::string& locale,
                      const std::string& input) {
    ProgramRun run;
    const std::string binary = programPath();
    const std::string inPath = makeTempFile(input);
    const std::string outPath = makeTempFile("");
    const std::string errPath = makeTempFile("");

    std::vector<std::string> env = {"LC_ALL=" + locale};
    keepVariable(&env, "PATH");
    keepVariable(&env, "ASAN_OPTIONS");
    keepVariable(&env, "UBSAN_OPTIONS");
    keepVariable(&env, "LSAN_OPTIONS");

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(binary.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : env) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);

    std::fflush(nullptr);
    pid_t child = fork();
    if (child == 0) {
        int in = open(inPath.c_str(), O_RDONLY);
        int out = open(outPath.c_str(), O_WRONLY | O_TRUNC);
        int err = open(errPath.c_str(), O_WRONLY | O_TRUNC);
        if (in < 0 || out < 0 || err < 0) _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execve(binary.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    if (child > 0) {
        int status = 0;
        if (waitpid(child, &status, 0) == child && WIFEXITED(status)) {
            run.exited = true;
            run.status = WEXITSTATUS(status);
        }
    }
    run.out = slurp(outPath);
    run.err = slurp(errPath);
    unlink(inPath.c_str());
    unlink(outPath.c_str());
    unlink(errPath.c_str());
    return run;
}

std::string hostVersionLine() {
    struct utsname names;
    if (uname(&names) != 0) return "";
    return std::string(" on ") + names.sysname + " " + names.release + " ";
}

std::string shiftJis(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return "<no iconv>";
    std::string in = utf8;
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = in.empty() ? nullptr : &in[0];
    char* outPtr = &out[0];
    std::size_t inLeft = in.size(), outLeft = out.size();
    std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1)) return "<iconv failed>";
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace e2e
