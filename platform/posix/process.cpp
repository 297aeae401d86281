// POSIX process start: keeps the raw arguments for argument().
#include <cstring>

#include "platform/platform.h"

namespace platform {
namespace {
int gArgc = 0;
char** gArgv = nullptr;
} // namespace

void startProcess(int argc, char** argv) {
    gArgc = argc;
    gArgv = argv;
}

int argumentCount() { return gArgc; }

} // namespace platform
