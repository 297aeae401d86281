// Option entries: values cut to eight bits, the no-dialogue switch, and the pass that only steps
// over them.
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
        {"-D300", true, "Info.displayLevel = 44. \n", 44, kDefaultConvMode, 0, a},
        {"-nd", true, "Cancel.displaying.dialogue = 1 \n", 0, kDefaultConvMode, 1, a},
        {"-D2M3EA0.5ND9Q", false, "\nOption error: <Q> 51", 0, kDefaultConvMode, 0, a},
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
