// The twist-bone check: each twist bone's fixed axis against the direction from the arm bone
// to the elbow (arm twist) or from the elbow to the wrist (wrist twist), and the question
// whether to fix the bones that are off.
#pragma once

#include "pmx/model.h"

// Axes further than this from the computed direction are marked.
constexpr double kTwistTolerance = 0.05;

// Fills correctedAxis and verdict of the four twist slots of gModel.
void runTwistAxisCheck();
// True when at least one twist verdict is set.
bool anyTwistVerdict();
// Asks whether to fix the marked bones (only when one is marked). Yes keeps the verdicts, No
// clears them. Returns 0 to go on, -1 when the user cancelled the run.
int confirmTwistRepair(const char* modelPath);
