// Option entries: values cut to eight bits, the no-dialogue switch, and the pass that only steps
// over them; the options of a check; the program's folder.
#include <gtest/gtest.h>

#include <string>

#include "app/check_command.h"
#include "app/options.h"
#include "app/run.h"
#include "app/run_settings.h"
#include "platform/platform.h"
#include "pmx/display_level.h"
#include "tests/support/io_test_files.h"

namespace {

// None of these entries sets the conversion mode or the error admittance: both stay as they were.
TEST(Options, EntriesAreEchoedAndRecordedInOrder) {
    const struct {
        const char* entry;
        bool store;
        const char* printed;
        int displayLevel, noDialogue;
    } cases[] = {
        {"-D300", true, "Info.displayLevel = 44. \n", 44, 0},
        {"-nd", true, "Cancel.displaying.dialogue = 1 \n", 0, 1},
        {"-D2M3EA0.5ND9Q", false, "\nOption error: <Q> 51", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        resetOptionSettings();
        gSettings.errorAdmittance = kDefaultErrorAdmittance;
        iotest::Capture capture;
        parseOptionEntry(c.entry, c.store);
        EXPECT_EQ(capture.text(), c.printed);
        EXPECT_EQ(gSettings.displayLevel, c.displayLevel);
        EXPECT_EQ(displayLevel(), c.displayLevel); // the reader sees the same level
        EXPECT_EQ(gSettings.convMode, kDefaultConvMode);
        EXPECT_EQ(gSettings.cancelDisplayingDialogue, c.noDialogue);
        EXPECT_FLOAT_EQ(gSettings.errorAdmittance, kDefaultErrorAdmittance);
    }
}

// A record that held --json before: a command line without it asks for the report for people.
TEST(CheckOptions, JsonOnlyWhenAskedFor) {
    char program[] = "quorvane", check[] = "--check", path[] = "m.pmx";
    char* argv[] = {program, check, path};
    platform::startProcess(3, argv);
    CheckCommand command{true, 0};
    EXPECT_EQ(parseCheckCommand(&command), 0);
    EXPECT_FALSE(command.json);
    platform::startProcess(0, nullptr); // the arguments go with this test
}

// Started by its name alone (found on PATH): the current folder stands for the program's, which
// is no failure to report.
TEST(ProgramFolder, NameWithoutAFolderTakesTheCurrentOneQuietly) {
    char program[] = "quorvane", option[] = "-D0";
    char* argv[] = {program, option};
    platform::startProcess(2, argv);
    iotest::Capture capture;
    runProgram();
    EXPECT_EQ(capture.text().find("Obtaining"), std::string::npos) << capture.text();
    platform::startProcess(0, nullptr);
}

} // namespace
