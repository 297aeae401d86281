// Entry point: hands the process to the platform layer and the converters' trace to the console,
// then runs the program.
#include "app/run.h"
#include "platform/console.h"
#include "platform/platform.h"
#include "text/text_trace.h"

int main(int argc, char** argv) {
    platform::startProcess(argc, argv);
    setTextTracePrinter(consolePrintBytes);
    int status = runProgram();
    platform::consoleFlush();
    // A report that did not reach its reader is trouble, whatever the run found.
    if (platform::consoleFailed() && status < kExitTrouble) status = kExitTrouble;
    return status;
}
