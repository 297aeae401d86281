// The console lines of a cancelled or failed open dialog, byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "io/open_dialog.h"
#include "tests/support/io_test_files.h"

namespace {

std::string reportOf(std::uint32_t code) {
    iotest::Capture capture;
    reportDialogFailure(code);
    return capture.text();
}

TEST(OpenDialogReport, CancelIsReportedWithCodeZero) {
    EXPECT_EQ(reportOf(0), "\nCanceled File-Open Dialog Box. (stat=0000).\n");
}

TEST(OpenDialogReport, FailureNamesTheCodeWhenItIsKnown) {
    EXPECT_EQ(reportOf(0x3003),
              "\nFailed Opening File-Open Dialog Box: 0000 (stat=3003).\nFNERR_BUFFERTOOSMALL.\n");
    EXPECT_EQ(reportOf(0x0001),
              "\nFailed Opening File-Open Dialog Box: 0000 (stat=0001).\nCDERR_STRUCTSIZE.\n");
    EXPECT_EQ(reportOf(0x000A),
              "\nFailed Opening File-Open Dialog Box: 0000 (stat=000A).\nCDERR_MEMLOCKFAILURE.\n");
    EXPECT_EQ(reportOf(0x000B),
              "\nFailed Opening File-Open Dialog Box: 0000 (stat=000B).\nCDERR_NOHOOK.\n");
    EXPECT_EQ(reportOf(0x3001),
              "\nFailed Opening File-Open Dialog Box: 0000 (stat=3001).\nFNERR_SUBCLASSFAILURE.\n");
    EXPECT_EQ(reportOf(0xFFFF),
              "\nFailed Opening File-Open Dialog Box: 0000 (stat=FFFF).\nCDERR_DIALOGFAILURE.\n");
}

TEST(OpenDialogReport, UnknownCodeHasNoNameLine) {
    EXPECT_EQ(reportOf(0x000C), "\nFailed Opening File-Open Dialog Box: 0000 (stat=000C).\n");
    EXPECT_EQ(reportOf(0x3004), "\nFailed Opening File-Open Dialog Box: 0000 (stat=3004).\n");
}

} // namespace
