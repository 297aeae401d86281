// The twist-bone check: each twist bone's fixed axis against the direction from the arm bone
// to the elbow (arm twist) or from the elbow to the wrist (wrist twist), and the question
// whether to fix the bones that are off.
#pragma once

#include "pmx/model.h"

// Axes further than this from the computed direction are marked.
constexpr double kTwistTolerance = 0.05;

// What the check made of one twist slot.
enum class TwistState { NotFound, NotJudged, Matches, Off };

// Why a twist bone that was found got no verdict.
enum class ChainFault {
    None, NoArm, NoElbow, NoWrist, ArmSide, ElbowSide, WristSide, NoLength, OffSegment, NoDirection
};
constexpr int kChainFaultCount = 10;

struct TwistResult {
    TwistState state;
    ChainFault fault;    // why it is NotJudged
    double angleDegrees; // between the stored and the corrected axis when judged; NaN when the
                         // stored axis has no direction
};

// The results of the last check, in slot order.
extern TwistResult gTwistResults[kTwistSlotCount];

// The English name of a slot ("left arm twist") and the reason a fault gives.
const char* twistSlotText(int slot);
const char* chainFaultText(ChainFault fault);

// Fills correctedAxis and verdict of the four twist slots of gModel, and gTwistResults; at display
// level 1 or more, says why a found bone on an arm that does not hold together got no verdict.
void runTwistAxisCheck();
// True when at least one twist verdict is set.
bool anyTwistVerdict();
// Asks whether to fix the marked bones (only when one is marked). Yes keeps the verdicts, No
// clears them. Returns 0 to go on, -1 when the user cancelled the run.
int confirmTwistRepair(const char* modelPath);
