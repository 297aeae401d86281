// Option entries: values kept as the command line gives them, echoes, and unknown letters.
#include <gtest/gtest.h>

#include <string>

#include "app/options.h"
#include "app/run_settings.h"
#include "pmx/display_level.h"
#include "tests/support/io_test_files.h"

namespace {

struct Parsed {
    std::string printed;
};

Parsed parse(const char* entry, bool store = true) {
    iotest::Capture capture;
    parseOptionEntry(entry, store);
    return Parsed{capture.text()};
}

class Options : public ::testing::Test {
protected:
    void SetUp() override {
        resetOptionSettings();
        gSettings.errorAdmittance = kDefaultErrorAdmittance;
    }
};

TEST_F(Options, DisplayLevelWithAndWithoutEqualsSign) {
    for (const char* entry : {"-D=2", "-d2", "/D2"}) {
        resetOptionSettings();
        EXPECT_EQ(parse(entry).printed, "Info.displayLevel = 2. \n") << entry;
        EXPECT_EQ(gSettings.displayLevel, 2) << entry;
        EXPECT_EQ(displayLevel(), 2) << entry; // the reader sees the same level
    }
}

TEST_F(Options, NumbersAreCutToEightBits) {
    EXPECT_EQ(parse("-D300").printed, "Info.displayLevel = 44. \n");
    EXPECT_EQ(gSettings.displayLevel, 44);
    EXPECT_EQ(parse("-M=200").printed, "Conv.mode = -56. \n");
    EXPECT_EQ(gSettings.convMode, -56);
    EXPECT_EQ(parse("-D-1").printed, "Info.displayLevel = -1. \n");
}

TEST_F(Options, MissingNumberReadsZeroAndResumesAtTheSameByte) {
    EXPECT_EQ(parse("-DM7").printed, "Info.displayLevel = 0. \nConv.mode = 7. \n");
    EXPECT_EQ(gSettings.convMode, 7);
}

TEST_F(Options, ErrorAdmittanceTakesARealNumber) {
    EXPECT_EQ(parse("-EA=0.25").printed, "ErrorAdmittance = 0.25 \n");
    EXPECT_FLOAT_EQ(gSettings.errorAdmittance, 0.25f);
    EXPECT_EQ(parse("-e2.5e-1").printed, "ErrorAdmittance = 0.25 \n");
    EXPECT_EQ(parse("-ea3").printed, "ErrorAdmittance = 3 \n");
}

TEST_F(Options, NoDialogueSwitch) {
    EXPECT_EQ(parse("-ND").printed, "Cancel.displaying.dialogue = 1 \n");
    EXPECT_EQ(gSettings.cancelDisplayingDialogue, 1);
    EXPECT_EQ(parse("-nd0").printed, "Cancel.displaying.dialogue = 0 \n");
    EXPECT_EQ(gSettings.cancelDisplayingDialogue, 0);
    EXPECT_EQ(parse("-ND=5").printed, "Cancel.displaying.dialogue = 5 \n");
    EXPECT_EQ(gSettings.cancelDisplayingDialogue, 5);
}

TEST_F(Options, OtherNLetterSkipsItsNumberAndReportsTheNextLetter) {
    EXPECT_EQ(parse("-NX").printed, "\nOption error: <X> 58");
    EXPECT_EQ(gSettings.cancelDisplayingDialogue, 0);
    // The number after N is read and dropped; the D after it still counts.
    EXPECT_EQ(parse("-N=12D3").printed, "Info.displayLevel = 3. \n");
}

TEST_F(Options, OptionsRunTogetherTakeEffectInOrder) {
    EXPECT_EQ(parse("-D2M3").printed, "Info.displayLevel = 2. \nConv.mode = 3. \n");
    EXPECT_EQ(gSettings.displayLevel, 2);
    EXPECT_EQ(gSettings.convMode, 3);
    EXPECT_EQ(parse("-d1/m4-D2").printed,
              "Info.displayLevel = 1. \nConv.mode = 4. \nInfo.displayLevel = 2. \n");
    EXPECT_EQ(gSettings.displayLevel, 2);
}

TEST_F(Options, WithoutStoreNothingChangesButUnknownLettersAreReported) {
    Parsed p = parse("-D2M3EA0.5ND9Q", false);
    EXPECT_EQ(p.printed, "\nOption error: <Q> 51");
    EXPECT_EQ(gSettings.displayLevel, 0);
    EXPECT_EQ(gSettings.convMode, kDefaultConvMode);
    EXPECT_FLOAT_EQ(gSettings.errorAdmittance, kDefaultErrorAdmittance);
    EXPECT_EQ(gSettings.cancelDisplayingDialogue, 0);
}

TEST_F(Options, HighBytesAreShownAsSignedCharacters) {
    const char entry[] = {'-', static_cast<char>(0x80), static_cast<char>(0xFF), '\0'};
    const std::string expected = std::string("\nOption error: <") + static_cast<char>(0x80) +
                                 "> FFFFFF80" + "\nOption error: <" + static_cast<char>(0xFF) +
                                 "> FFFFFFFF";
    EXPECT_EQ(parse(entry).printed, expected);
}

} // namespace
