// The twist-axis check: the strict tolerance at float precision, the axis's sign, a segment along
// an axis, and no verdict for a chain that does not hold together.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "app/twist_check.h"
#include "pmx/display_level.h"
#include "pmx/model.h"
#include "tests/support/io_test_files.h"

namespace {

// Both arms, the right one mirrored, each twist bone half way along its segment with its axis
// true to it.
void placeArms(Vec3 arm, Vec3 elbow, Vec3 wrist) {
    clearModelMarks();
    for (int side = 0; side < 2; ++side) {
        const float m = side == 0 ? 1.0f : -1.0f;
        const Vec3 p[3] = {{m * arm.x, arm.y, arm.z}, {m * elbow.x, elbow.y, elbow.z}, {m * wrist.x, wrist.y, wrist.z}};
        for (int b = 0; b < 3; ++b) gModel.bones[(side == 0 ? kArmL : kArmR) + 2 * b] = BoneSlot{true, p[b]};
        for (int t = 0; t < 2; ++t) {
            const Vec3 d = {p[t + 1].x - p[t].x, p[t + 1].y - p[t].y, p[t + 1].z - p[t].z};
            const float n = std::hypot(d.x, d.y, d.z);
            TwistSlot& twist = gModel.twists[(side == 0 ? kArmTwistL : kArmTwistR) + t];
            twist.found = true;
            twist.axis = {d.x / n, d.y / n, d.z / n};
            twist.position = {p[t].x + d.x / 2, p[t].y + d.y / 2, p[t].z + d.z / 2};
        }
    }
}

struct TwistCase {
    const char* name;
    std::function<void()> change;
    bool marked[kTwistSlotCount]; // armTwistL, wristTwistL, armTwistR, wristTwistR
    const char* trace;            // what display level 1 adds
};

TEST(TwistAxis, VerdictsPerSlotOnlyWhereTheChainHolds) {
    // Arm -> elbow along +-x, elbow -> wrist along -y (x = z = 0). Left arm: a corrected axis
    // (1,0,0), from which an axis (1,e,0) lies at distance |e| exactly; the float nearest 0.05
    // lies above the tolerance once widened.
    const TwistCase cases[] = {
        {"at the tolerance", [] { gModel.twists[kArmTwistL].axis = {1.0f, 0.05f, 0.0f}; }, {true, false, false, false}, ""},
        {"reversed axis", [] { gModel.twists[kArmTwistR].axis = {1.0f, 0.0f, 0.0f}; }, {false, false, true, false}, ""},
        {"twist bone beyond the elbow", [] { gModel.twists[kArmTwistL].position.x = 3.2f; }, {false, false, false, false},
         "No twist verdict for left arm twist: the twist bone lies off its segment. \n"},
        {"twist bone beside its segment", [] { gModel.twists[kWristTwistL].position.z = 1.5f; }, {false, false, false, false},
         "No twist verdict for left wrist twist: the twist bone lies off its segment. \n"},
        {"arm on the body's middle", [] { gModel.bones[kArmL].position.x = 0.0f; }, {false, false, false, false},
         "No twist verdict for left arm twist: the arm lies on the other side. \n"
         "No twist verdict for left wrist twist: the arm lies on the other side. \n"},
        {"elbow across the body", [] { gModel.bones[kElbowR].position.x = 3.0f; }, {false, false, false, false},
         "No twist verdict for right arm twist: the elbow lies on the other side. \n"
         "No twist verdict for right wrist twist: the elbow lies on the other side. \n"},
        {"wrist on the elbow", [] { gModel.bones[kWristL].position = {3.0f, 10.0f, 0.0f}; }, {false, false, false, false},
         "No twist verdict for left wrist twist: its segment has no length. \n"},
    };
    for (const TwistCase& c : cases) {
        SCOPED_TRACE(c.name);
        placeArms({1.0f, 10.0f, 0.0f}, {3.0f, 10.0f, 0.0f}, {3.0f, 6.0f, 0.0f});
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
    EXPECT_EQ(gModel.twists[kWristTwistR].correctedAxis.y, -1.0f);
}

} // namespace
