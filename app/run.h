// The program: start-up, option pass and model loop.
#pragma once

// Runs the whole program; returns when the run ends (the exit status is always 0).
void runProgram();
