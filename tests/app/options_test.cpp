// Option entries: values cut to eight bits, missing numbers, letters run together, the pass that
// only steps over them, and how unknown letters are reported.
#include <gtest/gtest.h>

#include <string>

#include "app/options.h"
#include "app/run_settings.h"
#include "pmx/display_level.h"
#include "tests/support/io_test_files.h"

namespace {

struct OptionCase {
    const char* entry;
    bool store;
    const char* printed;
    int displayLevel, convMode, noDialogue;
    float admittance;
};

TEST(Options, EntriesAreEchoedAndRecordedInOrder) {
    const float a = kDefaultErrorAdmittance;
    const OptionCase cases[] = {
        {"-D=2", true, "Info.displayLevel = 2. \n", 2, kDefaultConvMode, 0, a},
        {"/d2", true, "Info.displayLevel = 2. \n", 2, kDefaultConvMode, 0, a},
        {"-D300", true, "Info.displayLevel = 44. \n", 44, kDefaultConvMode, 0, a},
        {"-M=200", true, "Conv.mode = -56. \n", 0, -56, 0, a},
        // Beyond a 32-bit long: read as its largest (low byte FF) or smallest (00) value.
        {"-D4294967340M-4294967340", true, "Info.displayLevel = -1. \nConv.mode = 0. \n", -1, 0,
         0, a},
        {"-DM7", true, "Info.displayLevel = 0. \nConv.mode = 7. \n", 0, 7, 0, a},
        {"-e2.5e-1", true, "ErrorAdmittance = 0.25 \n", 0, kDefaultConvMode, 0, 0.25f},
        {"-nd", true, "Cancel.displaying.dialogue = 1 \n", 0, kDefaultConvMode, 1, a},
        {"-NX", true, "\nOption error: <X> 58", 0, kDefaultConvMode, 0, a},
        // The number after another N letter is read and dropped; the D after it still counts.
        {"-N=12D3", true, "Info.displayLevel = 3. \n", 3, kDefaultConvMode, 0, a},
        {"-d1/m4-D2", true, "Info.displayLevel = 1. \nConv.mode = 4. \nInfo.displayLevel = 2. \n",
         2, 4, 0, a},
        {"-D2M3EA0.5ND9Q", false, "\nOption error: <Q> 51", 0, kDefaultConvMode, 0, a},
        {"-\x80\xFF", true, "\nOption error: <\x80> FFFFFF80\nOption error: <\xFF> FFFFFFFF", 0,
         kDefaultConvMode, 0, a},
    };
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.entry);
        resetOptionSettings();
        gSettings.errorAdmittance = kDefaultErrorAdmittance;
        iotest::Capture capture;
        parseOptionEntry(c.entry, c.store);
        EXPECT_EQ(capture.text(), c.printed);
        EXPECT_EQ(gSettings.displayLevel, c.displayLevel);
        EXPECT_EQ(displayLevel(), c.displayLevel); // the reader sees the same level
        EXPECT_EQ(gSettings.convMode, c.convMode);
        EXPECT_EQ(gSettings.cancelDisplayingDialogue, c.noDialogue);
        EXPECT_FLOAT_EQ(gSettings.errorAdmittance, c.admittance);
    }
}

} // namespace
