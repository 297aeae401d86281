// Entry point: hands the process to the platform layer, then runs the program.
#include "app/run.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    platform::startProcess(argc, argv);
    int status = runProgram();
    platform::consoleFlush();
    return status;
}
