// Transcripts of runs without a repair: no model and the dialog cancelled, options only, a
// model that cannot be opened and a clean one with an option between them.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/e2e_run.h"
#include "tests/support/e2e_scenario.h"
#include "tests/support/io_test_files.h"

namespace {

class Startup : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(e2e::programPath().empty()) << "QV_BINARY is not set"; }
    iotest::TempFolder tmp;
};

TEST_F(Startup, NoModelAndCancelledDialogEndsWithUsage) {
    e2e::ProgramRun run = e2e::runProgram({}, "C", "");
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, e2e::fillTranscript(
                           "Quorvane  V0.90  PMX twist-axis and texture-link repair\n"
                           "{V}(English mode) \n"
                           "\n"
                           "No dropped PMX file detected. \n"
                           " Please select PMX file(s). \n"
                           "\n"
                           "Canceled File-Open Dialog Box. (stat=0000).\n"
                           "Usage \n"
                           "   Quorvane <pmxFileName>.pmx \n",
                           tmp.path()));
}

TEST_F(Startup, ModelPickedInTheDialogIsProcessed) {
    e2e::writeModel(tmp.file("picked.pmx"), e2e::straightArmsModel(0), nullptr);
    e2e::ProgramRun run = e2e::runProgram({}, "C", tmp.file("picked.pmx") + "\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, e2e::fillTranscript(
                           "Quorvane  V0.90  PMX twist-axis and texture-link repair\n"
                           "{V}(English mode) \n"
                           "\n"
                           "No dropped PMX file detected. \n"
                           " Please select PMX file(s). \n"
                           "\n"
                           "Reading from: {D}picked.pmx \n"
                           "PMX Ver 2.00 \n"
                           "Model: test \n"
                           "0 Vertices.\n"
                           "0 Surfaces.\n"
                           "0 Textures.\n"
                           "0 Materials.\n"
                           "10 Bones.\n"
                           "0 Morphs.\n"
                           "0 Frames.\n"
                           "0 Rigid-bodies.\n"
                           "0 Joints.\n"
                           "OK. \n"
                           "PMX 2.0: correctly read-in: OK. \n"
                           "done. \n"
                           "\n"
                           "pmx dir: {D} \n"
                           "\n"
                           " No broken settings found. "
                           "\n",
                           tmp.path()));
}

TEST_F(Startup, OptionsOnlyAreEchoedAndNoDialogIsShown) {
    e2e::ProgramRun run = e2e::runProgram({"-D=2", "-EA=0.25", "-NX", "-d1/m3ND"}, "C", "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, e2e::fillTranscript(
                           "Quorvane  V0.90  PMX twist-axis and texture-link repair\n"
                           "{V}(English mode) \n"
                           "Info.displayLevel = 2. \n"
                           "ErrorAdmittance = 0.25 \n"
                           "\nOption error: <X> 58"
                           "Info.displayLevel = 1. \n"
                           "Conv.mode = 3. \n"
                           "Cancel.displaying.dialogue = 1 \n"
                           "\nOption error: <X> 58",
                           tmp.path()));
    EXPECT_EQ(run.err.find("File name:"), std::string::npos);
}

TEST_F(Startup, UnreadableModelThenCleanModelWithAnOptionBetween) {
    e2e::writeModel(tmp.file("clean.pmx"), e2e::straightArmsModel(0), nullptr);
    iotest::writeFile(tmp.file("ok.png"), "png");
    pmxtest::PmxRecipe clean = e2e::straightArmsModel(0);
    clean.textures = {"ok.png"};
    e2e::writeModel(tmp.file("clean.pmx"), clean, nullptr);
    e2e::ProgramRun run =
        e2e::runProgram({tmp.file("missing.pmx"), "-M5", tmp.file("clean.pmx")}, "C", "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, e2e::fillTranscript(
                           "Quorvane  V0.90  PMX twist-axis and texture-link repair\n"
                           "{V}(English mode) \n"
                           "Conv.mode = 5. \n"
                           "\n"
                           "Reading from: {D}missing.pmx \n"
                           "Cannot open RD file : {D}missing.pmx\n"
                           "pmdinforead err -1. \n"
                           "pmx dir: {D} \n"
                           "\n"
                           " No broken settings found. "
                           "\n"
                           "\n"
                           "Reading from: {D}clean.pmx \n"
                           "PMX Ver 2.00 \n"
                           "Model: test \n"
                           "0 Vertices.\n"
                           "0 Surfaces.\n"
                           "1 Textures.\n"
                           "0 Materials.\n"
                           "10 Bones.\n"
                           "0 Morphs.\n"
                           "0 Frames.\n"
                           "0 Rigid-bodies.\n"
                           "0 Joints.\n"
                           "OK. \n"
                           "PMX 2.0: correctly read-in: OK. \n"
                           "done. \n"
                           "\n"
                           "pmx dir: {D} \n"
                           "0: ok.png (ok)\n"
                           "\n"
                           " No broken settings found. "
                           "\n",
                           tmp.path()));
    EXPECT_FALSE(std::filesystem::exists(tmp.file("clean-new.pmx")));
}

TEST_F(Startup, ArgumentsBeyondTheLimitAreIgnoredAndEmptyOnesCount) {
    // 509 empty arguments take places 1-509; -M1 is place 510, -M2 would be the 512th.
    std::vector<std::string> args(509, "");
    args.insert(args.end(), {"-M1", "-M2", "-M3"});
    e2e::ProgramRun run = e2e::runProgram(args, "C", "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, e2e::fillTranscript(
                           "Quorvane  V0.90  PMX twist-axis and texture-link repair\n"
                           "{V}(English mode) \n"
                           "Too many command line parameters.\n"
                           "Conv.mode = 1. \n",
                           tmp.path()));
}

TEST_F(Startup, FileThatIsNotPmxIsReportedAndTheRunGoesOn) {
    iotest::writeFile(tmp.file("bad.pmx"), "PMD file");
    e2e::ProgramRun run = e2e::runProgram({tmp.file("bad.pmx")}, "C", "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, e2e::fillTranscript(
                           "Quorvane  V0.90  PMX twist-axis and texture-link repair\n"
                           "{V}(English mode) \n"
                           "\n"
                           "Reading from: {D}bad.pmx \n"
                           "Illegal file format at 000003=(44) \n"
                           "pmdinforead err 2. \n"
                           "pmx dir: {D} \n"
                           "\n"
                           " No broken settings found. "
                           "\n",
                           tmp.path()));
}

TEST_F(Startup, ModelPathTooLongForAPathBufferIsSkipped) {
    // 300 bytes of path: no path buffer holds it, so it is passed over, not cut.
    const std::string folder = tmp.file(std::string(200, 'd')) + "/" + std::string(60, 'e');
    std::filesystem::create_directories(folder);
    e2e::writeModel(folder + "/model.pmx", e2e::bentTwistsModel(0), nullptr);
    e2e::ProgramRun run = e2e::runProgram({folder + "/model.pmx"}, "C", "y\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, e2e::fillTranscript(
                           "Quorvane  V0.90  PMX twist-axis and texture-link repair\n"
                           "{V}(English mode) \n"
                           "\n"
                           "Too long path: skipped. \n",
                           tmp.path()));
    EXPECT_FALSE(std::filesystem::exists(folder + "/model-new.pmx"));
}

TEST_F(Startup, ModelAfterAFailedReadDoesNotInheritItsTextures) {
    // The first model lists a broken texture; the second cannot be opened and must not be
    // checked against the first one's list.
    pmxtest::PmxRecipe first = e2e::brokenTexturesModel(0);
    e2e::writeModel(tmp.file("first.pmx"), first, nullptr);
    e2e::ProgramRun run =
        e2e::runProgram({tmp.file("first.pmx"), tmp.file("gone.pmx")}, "C", "n\n");
    EXPECT_EQ(run.status, 0);
    const std::string tail = e2e::fillTranscript(
        "\n"
        "Reading from: {D}gone.pmx \n"
        "Cannot open RD file : {D}gone.pmx\n"
        "pmdinforead err -1. \n"
        "pmx dir: {D} \n"
        "\n"
        " No broken settings found. "
        "\n",
        tmp.path());
    ASSERT_GE(run.out.size(), tail.size());
    EXPECT_EQ(run.out.substr(run.out.size() - tail.size()), tail);
}

} // namespace
