// The twist-axis check: the strict tolerance at float precision, the axis's sign, bones that
// coincide or are missing, and the question's lines in slot order.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "app/twist_check.h"
#include "pmx/model.h"
#include "tests/support/io_test_files.h"
#include "tests/support/stdin_feed.h"
#include "text/language.h"

namespace {

class TwistAxis : public ::testing::Test {
protected:
    void SetUp() override {
        clearModelMarks();
        setJapaneseMode(false);
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
    }
    static void place(BoneSlotId id, Vec3 p) { gModel.bones[id] = BoneSlot{true, p}; }
    static void twist(TwistSlotId id, Vec3 axis) {
        gModel.twists[id].found = true;
        gModel.twists[id].axis = axis;
        gModel.twists[id].axisOffset = 100 + 12 * id;
    }
    static bool marked(TwistSlotId id) { return gModel.twists[id].verdict; }
};

TEST_F(TwistAxis, MatchingAxesAreNotMarked) {
    runTwistAxisCheck();
    EXPECT_FALSE(anyTwistVerdict());
    EXPECT_EQ(gModel.twists[kWristTwistL].correctedAxis.x, 0.6f);
    EXPECT_EQ(gModel.twists[kWristTwistL].correctedAxis.y, -0.8f);
}

TEST_F(TwistAxis, DistanceAtTheToleranceIsStrict) {
    // Corrected axis (1,0,0); an axis (1,e,0) lies at distance |e| exactly. The float below
    // 0.05 stays clear; the float nearest 0.05 lies above it once widened, and is marked.
    const float below = std::nextafter(0.05f, 0.0f);
    twist(kArmTwistL, {1.0f, below, 0.0f});
    runTwistAxisCheck();
    EXPECT_FALSE(marked(kArmTwistL));
    twist(kArmTwistL, {1.0f, 0.05f, 0.0f});
    runTwistAxisCheck();
    EXPECT_TRUE(marked(kArmTwistL));
    EXPECT_FALSE(marked(kWristTwistL));
}

TEST_F(TwistAxis, ReversedAxisIsMarked) {
    twist(kArmTwistR, {1.0f, 0.0f, 0.0f});
    runTwistAxisCheck();
    EXPECT_TRUE(marked(kArmTwistR));
    EXPECT_EQ(gModel.twists[kArmTwistR].correctedAxis.x, -1.0f);
    EXPECT_FALSE(marked(kArmTwistL));
    EXPECT_FALSE(marked(kWristTwistR));
}

TEST_F(TwistAxis, CoincidentBonesGiveNoVerdict) {
    place(kElbowL, {0.0f, 10.0f, 0.0f}); // elbow on the arm: no direction
    twist(kArmTwistL, {0.0f, 1.0f, 0.0f});
    twist(kWristTwistL, {0.0f, 1.0f, 0.0f});
    runTwistAxisCheck();
    EXPECT_FALSE(marked(kArmTwistL));
    EXPECT_TRUE(marked(kWristTwistL)); // elbow -> wrist still has a direction
}

TEST_F(TwistAxis, MissingWristSkipsTheWholeSideOnly) {
    gModel.bones[kWristL].found = false;
    twist(kArmTwistL, {0.0f, 0.0f, 1.0f});
    twist(kWristTwistR, {0.0f, 0.0f, 1.0f});
    runTwistAxisCheck();
    EXPECT_FALSE(marked(kArmTwistL));
    EXPECT_TRUE(marked(kWristTwistR));
}

TEST_F(TwistAxis, TwistWithoutFixedAxisIsNotJudged) {
    twist(kArmTwistL, {0.0f, 0.0f, 1.0f});
    gModel.twists[kArmTwistL].found = false;
    runTwistAxisCheck();
    EXPECT_FALSE(anyTwistVerdict());
}

TEST_F(TwistAxis, QuestionListsMarkedBonesInSlotOrderAndNoClearsThem) {
    twist(kWristTwistL, {0.0f, 0.0f, 1.0f});
    twist(kArmTwistR, {0.0f, 0.0f, 1.0f});
    runTwistAxisCheck();
    iotest::Capture capture;
    apptest::feedStdin("n\n");
    EXPECT_EQ(confirmTwistRepair("\\no-such-folder\\model.pmx"), 0);
    EXPECT_EQ(capture.text(), " Unmatched twisting axis settings of \r\n"
                              " left wrist twist \r\n"
                              " right arm twist \r\n"
                              " bones are found in the model: \r\n"
                              "  \r\n" // no file of that name: the name is empty
                              "\r\n"
                              " Do you like to fix them?  (Y/N/Cancel) \r\n"
                              " => NO \n"
                              "\n");
    EXPECT_FALSE(anyTwistVerdict());
}

TEST_F(TwistAxis, YesKeepsTheVerdictsAndCancelEndsTheRun) {
    twist(kArmTwistL, {0.0f, 0.0f, 1.0f});
    runTwistAxisCheck();
    {
        iotest::Capture capture;
        apptest::feedStdin("yes\n");
        EXPECT_EQ(confirmTwistRepair("model.pmx"), 0);
        EXPECT_NE(capture.text().find(" => YES \n\n"), std::string::npos);
    }
    EXPECT_TRUE(marked(kArmTwistL));
    iotest::Capture capture;
    apptest::feedStdin("");
    EXPECT_EQ(confirmTwistRepair("model.pmx"), -1);
    const std::string text = capture.text();
    EXPECT_EQ(text.substr(text.size() - 12), " => Cancel \n");
}

} // namespace
