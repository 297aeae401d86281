// The program: start-up, option pass and model loop.
#pragma once

// Exit statuses, in the manner of diff and cmp; a run ends with the highest it met.
constexpr int kExitClean = 0;   // every model read whole, nothing left to repair
constexpr int kExitLeft = 1;    // something found and left as it was (No, Cancel, no answer)
constexpr int kExitTrouble = 2; // a model not opened or not read whole, a failed save, no model

// Runs the whole program; returns its exit status when the run ends.
int runProgram();
