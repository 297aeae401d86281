// Entry point: hands the process to the platform layer, then runs the program.
#include "app/run.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    platform::startProcess(argc, argv);
    runProgram();
    platform::consoleFlush();
    return 0; // the exit status is 0 in every case
}
