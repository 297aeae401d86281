// The twist-axis check: the strict tolerance at float precision and the axis's sign.
#include <gtest/gtest.h>

#include <functional>

#include "app/twist_check.h"
#include "pmx/model.h"

namespace {

void place(BoneSlotId id, Vec3 p) { gModel.bones[id] = BoneSlot{true, p}; }
void twist(TwistSlotId id, Vec3 axis) {
    gModel.twists[id].found = true;
    gModel.twists[id].axis = axis;
}

struct TwistCase {
    const char* name;
    std::function<void()> change;
    bool marked[kTwistSlotCount]; // armTwistL, wristTwistL, armTwistR, wristTwistR
};

TEST(TwistAxis, VerdictsPerSlot) {
    // Corrected arm twist L axis (1,0,0): an axis (1,e,0) lies at distance |e| exactly, and the
    // float nearest 0.05 lies above the tolerance once widened.
    const TwistCase cases[] = {
        {"at the tolerance", [] { twist(kArmTwistL, {1.0f, 0.05f, 0.0f}); },
         {true, false, false, false}},
        {"reversed axis", [] { twist(kArmTwistR, {1.0f, 0.0f, 0.0f}); },
         {false, false, true, false}},
    };
    for (const TwistCase& c : cases) {
        SCOPED_TRACE(c.name);
        clearModelMarks();
        // Left: arm -> elbow along +x, elbow -> wrist along (3,-4,0)/5. Right mirrors it.
        place(kArmL, {0.0f, 10.0f, 0.0f});
        place(kElbowL, {2.0f, 10.0f, 0.0f});
        place(kWristL, {5.0f, 6.0f, 0.0f});
        place(kArmR, {0.0f, 10.0f, 0.0f});
        place(kElbowR, {-2.0f, 10.0f, 0.0f});
        place(kWristR, {-5.0f, 6.0f, 0.0f});
        twist(kArmTwistL, {1.0f, 0.0f, 0.0f});
        twist(kWristTwistL, {0.6f, -0.8f, 0.0f});
        twist(kArmTwistR, {-1.0f, 0.0f, 0.0f});
        twist(kWristTwistR, {-0.6f, -0.8f, 0.0f});
        c.change();
        runTwistAxisCheck();
        for (int i = 0; i < kTwistSlotCount; ++i)
            EXPECT_EQ(gModel.twists[i].verdict, c.marked[i]) << i;
        EXPECT_EQ(anyTwistVerdict(), c.marked[0] || c.marked[1] || c.marked[2] || c.marked[3]);
    }
    EXPECT_EQ(gModel.twists[kArmTwistR].correctedAxis.x, -1.0f);
    EXPECT_EQ(gModel.twists[kWristTwistR].correctedAxis.y, -0.8f);
}

} // namespace
