// Entry point: hands the process to the platform layer, then runs the program.
#include "app/run.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    platform::startProcess(argc, argv);
    int status = runProgram();
    platform::consoleFlush();
    // A report that did not reach its reader is trouble, whatever the run found.
    if (platform::consoleFailed() && status < kExitTrouble) status = kExitTrouble;
    return status;
}
