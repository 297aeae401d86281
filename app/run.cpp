// The program's start-up and model loop.
#include "app/run.h"

#include "platform/console.h"

void runProgram() {
    consolePrint("Quorvane  V0.90  PMX twist-axis and texture-link repair\n");
}
