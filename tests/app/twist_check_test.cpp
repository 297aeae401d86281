// The twist-axis check: the strict tolerance at float precision and the axis's sign, verdicts
// kept for every plausible pose and size, and none for a chain that does not hold together.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "app/twist_check.h"
#include "pmx/display_level.h"
#include "pmx/model.h"
#include "tests/support/io_test_files.h"

namespace {

void place(BoneSlotId id, Vec3 p) { gModel.bones[id] = BoneSlot{true, p}; }
// A twist bone with `axis` a share `along` of the way from `from` to `to`.
void twist(TwistSlotId id, Vec3 axis, Vec3 from, Vec3 to, float along = 0.5f) {
    TwistSlot& t = gModel.twists[id];
    t.found = true;
    t.axis = axis;
    t.position = {from.x + along * (to.x - from.x), from.y + along * (to.y - from.y), from.z + along * (to.z - from.z)};
}

// Left: arm -> elbow along +x, elbow -> wrist along (3,-4,0)/5. Right mirrors it.
const Vec3 kArm = {1.0f, 10.0f, 0.0f}, kElbow = {3.0f, 10.0f, 0.0f}, kWrist = {6.0f, 6.0f, 0.0f};
Vec3 mirrored(Vec3 v) { return {-v.x, v.y, v.z}; }

void placeArms() {
    clearModelMarks();
    place(kArmL, kArm);
    place(kElbowL, kElbow);
    place(kWristL, kWrist);
    place(kArmR, mirrored(kArm));
    place(kElbowR, mirrored(kElbow));
    place(kWristR, mirrored(kWrist));
    twist(kArmTwistL, {1.0f, 0.0f, 0.0f}, kArm, kElbow);
    twist(kWristTwistL, {0.6f, -0.8f, 0.0f}, kElbow, kWrist);
    twist(kArmTwistR, {-1.0f, 0.0f, 0.0f}, mirrored(kArm), mirrored(kElbow));
    twist(kWristTwistR, {-0.6f, -0.8f, 0.0f}, mirrored(kElbow), mirrored(kWrist));
}

struct TwistCase {
    const char* name;
    std::function<void()> change;
    bool marked[kTwistSlotCount]; // armTwistL, wristTwistL, armTwistR, wristTwistR
    const char* trace;            // what display level 1 adds
};

TEST(TwistAxis, VerdictsPerSlotOnlyWhereTheChainHolds) {
    // Corrected arm twist L axis (1,0,0): an axis (1,e,0) lies at distance |e| exactly, and the
    // float nearest 0.05 lies above the tolerance once widened.
    const TwistCase cases[] = {
        {"at the tolerance", [] { gModel.twists[kArmTwistL].axis = {1.0f, 0.05f, 0.0f}; }, {true, false, false, false}, ""},
        {"reversed axis", [] { gModel.twists[kArmTwistR].axis = {1.0f, 0.0f, 0.0f}; }, {false, false, true, false}, ""},
        // A left wrist tip named wrist_R stands in the right wrist's slot: nothing is judged on
        // that side, the right axes are not overwritten.
        {"wrist on the other side", [] { gModel.bones[kWristR].position = {6.0f, 6.0f, 0.0f}; },
         {false, false, false, false},
         "No twist verdict for right arm twist: the wrist lies on the other side. \n"
         "No twist verdict for right wrist twist: the wrist lies on the other side. \n"},
        {"twist bone beyond the elbow", [] { twist(kArmTwistL, {0.0f, 1.0f, 0.0f}, kArm, kElbow, 1.1f); },
         {false, false, false, false}, "No twist verdict for left arm twist: the twist bone lies off its segment. \n"},
        {"twist bone beside its segment", [] { gModel.twists[kWristTwistL].position.z = 1.5f; },
         {false, false, false, false}, "No twist verdict for left wrist twist: the twist bone lies off its segment. \n"},
        {"wrist on the elbow", [] { gModel.bones[kWristL].position = kElbow; }, {false, false, false, false},
         "No twist verdict for left wrist twist: its segment has no length. \n"},
    };
    for (const TwistCase& c : cases) {
        SCOPED_TRACE(c.name);
        placeArms();
        c.change();
        setDisplayLevel(1);
        iotest::Capture capture;
        runTwistAxisCheck();
        setDisplayLevel(0);
        for (int i = 0; i < kTwistSlotCount; ++i) EXPECT_EQ(gModel.twists[i].verdict, c.marked[i]) << i;
        EXPECT_EQ(anyTwistVerdict(), c.marked[0] || c.marked[1] || c.marked[2] || c.marked[3]);
        EXPECT_EQ(capture.text(), c.trace);
    }
    EXPECT_EQ(gModel.twists[kArmTwistR].correctedAxis.x, -1.0f);
    EXPECT_EQ(gModel.twists[kWristTwistR].correctedAxis.y, -0.8f);
}

// A-pose, T-pose, elbows bent forward and up, models a hundredth and ten thousand times the usual
// size, twist bones anywhere on their segments and a little off them: every bent axis is judged,
// every true one is not.
TEST(TwistAxis, EveryPlausiblePoseAndSizeKeepsItsVerdicts) {
    const struct { const char* name; Vec3 elbow, wrist; } poses[] = {
        {"A-pose", {2.6f, -1.9f, 0.0f}, {2.3f, -1.7f, 0.1f}},
        {"T-pose", {3.0f, 0.0f, 0.0f}, {2.6f, 0.0f, 0.0f}},
        {"elbow bent forward", {2.6f, -1.9f, 0.0f}, {0.1f, 0.0f, -2.5f}},
        {"elbow bent up", {3.0f, 0.0f, 0.0f}, {0.2f, 2.6f, 0.0f}},
    };
    for (const auto& pose : poses) {
        for (float scale : {0.01f, 1.0f, 10000.0f}) {
            for (float along : {0.0f, 0.26f, 0.6f, 1.0f}) {
                SCOPED_TRACE(std::string(pose.name) + " x" + std::to_string(scale) + " at " + std::to_string(along));
                const Vec3 arm = {1.1f * scale, 15.0f * scale, 0.0f};
                const Vec3 elbow = {arm.x + pose.elbow.x * scale, arm.y + pose.elbow.y * scale, pose.elbow.z * scale};
                const Vec3 wrist = {elbow.x + pose.wrist.x * scale, elbow.y + pose.wrist.y * scale,
                                    elbow.z + pose.wrist.z * scale};
                for (bool bent : {true, false}) {
                    clearModelMarks();
                    for (int side = 0; side < 2; ++side) {
                        auto s = [side](Vec3 v) { return side == 0 ? v : mirrored(v); };
                        place(side == 0 ? kArmL : kArmR, s(arm));
                        place(side == 0 ? kElbowL : kElbowR, s(elbow));
                        place(side == 0 ? kWristL : kWristR, s(wrist));
                        const float n1 = std::hypot(pose.elbow.x, pose.elbow.y, pose.elbow.z);
                        const float n2 = std::hypot(pose.wrist.x, pose.wrist.y, pose.wrist.z);
                        const Vec3 upper = bent ? Vec3{0.0f, 0.0f, 1.0f} : s({pose.elbow.x / n1, pose.elbow.y / n1, pose.elbow.z / n1});
                        const Vec3 lower = bent ? Vec3{0.0f, 0.0f, 1.0f} : s({pose.wrist.x / n2, pose.wrist.y / n2, pose.wrist.z / n2});
                        twist(side == 0 ? kArmTwistL : kArmTwistR, upper, s(arm), s(elbow), along);
                        twist(side == 0 ? kWristTwistL : kWristTwistR, lower, s(elbow), s(wrist), along);
                        gModel.twists[side == 0 ? kArmTwistL : kArmTwistR].position.z += 0.07f * 3.0f * scale;
                    }
                    runTwistAxisCheck();
                    for (int i = 0; i < kTwistSlotCount; ++i) EXPECT_EQ(gModel.twists[i].verdict, bent) << i;
                }
            }
        }
    }
}

} // namespace
