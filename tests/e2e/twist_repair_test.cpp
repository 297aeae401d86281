// Transcripts of the twist question answered Yes, No and Cancel, and the axes the copy holds.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/e2e_run.h"
#include "tests/support/e2e_scenario.h"
#include "tests/support/io_test_files.h"

namespace {

const char kHead[] = "Quorvane  V0.90  PMX twist-axis and texture-link repair\n"
                     "{V}(English mode) \n";

const char kReadModel[] = "\n"
                          "Reading from: {D}model.pmx \n"
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
                          "\n";

const char kQuestion[] = " Unmatched twisting axis settings of \r\n"
                         " left arm twist \r\n"
                         " right wrist twist \r\n"
                         " bones are found in the model: \r\n"
                         " model.pmx \r\n"
                         "\r\n"
                         " Do you like to fix them?  (Y/N/Cancel) \r\n";

class TwistRepair : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(e2e::programPath().empty()) << "QV_BINARY is not set";
        source = e2e::writeModel(tmp.file("model.pmx"), e2e::bentTwistsModel(0), &layout);
        e2e::writeModel(tmp.file("second.pmx"), e2e::bentTwistsModel(0), nullptr);
    }
    std::string transcript(const std::string& rest) {
        return e2e::fillTranscript(std::string(kHead) + kReadModel + kQuestion + rest, tmp.path());
    }
    iotest::TempFolder tmp;
    pmxtest::PmxLayout layout;
    std::string source;
};

TEST_F(TwistRepair, YesSavesACopyWithTheCorrectedAxes) {
    e2e::ProgramRun run = e2e::runProgram({tmp.file("model.pmx")}, "C", "y\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, transcript(" => YES \n"
                                  "\n"
                                  "pmx dir: {D} \n"
                                  "\n"
                                  "Reading from: model.pmx \n"
                                  "Writing to  : model-new.pmx \n"
                                  "\n"
                                  "Save OK. \n"
                                  "\n"
                                  " Fixed model file  \r\n"
                                  " \r\n"
                                  " model-new.pmx \r\n"
                                  " \r\n"
                                  " was saved. \r\n"
                                  "\n"));
    std::string expected = e2e::withAxis(source, layout.fixedAxisOffsets[e2e::kArmTwistLBone],
                                         0.6f, -0.8f, 0.0f);
    expected = e2e::withAxis(expected, layout.fixedAxisOffsets[e2e::kWristTwistRBone], -0.6f,
                             -0.8f, 0.0f);
    ASSERT_NE(expected, source);
    EXPECT_EQ(iotest::readFile(tmp.file("model-new.pmx")), expected);
    EXPECT_EQ(iotest::readFile(tmp.file("model.pmx")), source);
}

TEST_F(TwistRepair, NoClearsTheVerdictsAndSavesNothing) {
    e2e::ProgramRun run = e2e::runProgram({tmp.file("model.pmx")}, "C", "n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, transcript(" => NO \n"
                                  "\n"
                                  "pmx dir: {D} \n"
                                  "\n"
                                  " No broken settings found. "
                                  "\n"));
    EXPECT_FALSE(std::filesystem::exists(tmp.file("model-new.pmx")));
}

TEST_F(TwistRepair, CancelEndsTheRunBeforeTheNextModel) {
    e2e::ProgramRun run =
        e2e::runProgram({tmp.file("model.pmx"), tmp.file("second.pmx")}, "C", "c\ny\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, transcript(" => Cancel \n"));
    EXPECT_FALSE(std::filesystem::exists(tmp.file("model-new.pmx")));
    EXPECT_FALSE(std::filesystem::exists(tmp.file("second-new.pmx")));
}

TEST_F(TwistRepair, EndOfInputCancels) {
    e2e::ProgramRun run = e2e::runProgram({tmp.file("model.pmx")}, "C", "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, transcript(" => Cancel \n"));
}

TEST_F(TwistRepair, FailedSaveIsReportedWithoutNoticeAndTheNextModelFollows) {
    std::filesystem::create_directories(tmp.file("model-new.pmx")); // a folder: cannot be replaced
    e2e::ProgramRun run =
        e2e::runProgram({tmp.file("model.pmx"), tmp.file("second.pmx")}, "C", "y\ny\n");
    EXPECT_EQ(run.status, 0);
    const std::string between = e2e::fillTranscript("New PMX save failed. \n"
                                                    "\n"
                                                    "Reading from: {D}second.pmx \n",
                                                    tmp.path());
    EXPECT_NE(run.out.find(between), std::string::npos);
    EXPECT_EQ(run.out.find(" model-new.pmx \r\n \r\n was saved."), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(tmp.file("second-new.pmx")));
    EXPECT_TRUE(std::filesystem::is_directory(tmp.file("model-new.pmx")));
}

TEST_F(TwistRepair, CopyNameTooLongIsRefusedNotCut) {
    // A model path of 257 bytes: readable, but its "-new" name would need 261.
    const std::string base = tmp.file("");
    const std::string folder = base + std::string(257 - base.size() - 10, 'd');
    const std::string model = folder + "/model.pmx";
    ASSERT_EQ(model.size(), 257u);
    std::filesystem::create_directories(folder);
    iotest::writeFile(model, source);
    e2e::ProgramRun run = e2e::runProgram({model}, "C", "y\n");
    EXPECT_EQ(run.status, 0);
    const std::string tail = " => YES \n"
                             "\n"
                             "pmx dir: " + iotest::insidePath(folder) + "\\ \n"
                             "\n"
                             "Too long path for the new file. \n"
                             "New PMX save failed. \n";
    ASSERT_GE(run.out.size(), tail.size());
    EXPECT_EQ(run.out.substr(run.out.size() - tail.size()), tail);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(TwistRepair, SaveNamesKeepStemAndExtension) {
    const std::string bytes = iotest::readFile(tmp.file("model.pmx"));
    iotest::writeFile(tmp.file("a.b.pmx"), bytes);
    iotest::writeFile(tmp.file("model"), bytes);
    e2e::ProgramRun run = e2e::runProgram(
        {tmp.file("model.pmx"), tmp.file("a.b.pmx"), tmp.file("model")}, "C", "y\ny\ny\n");
    EXPECT_EQ(run.status, 0);
    for (const char* name : {"model-new.pmx", "a.b-new.pmx", "model-new"}) {
        EXPECT_NE(run.out.find(std::string("Writing to  : ") + name + " \n"), std::string::npos)
            << name;
        EXPECT_NE(run.out.find(std::string(" \r\n ") + name + " \r\n \r\n was saved. \r\n"),
                  std::string::npos)
            << name;
        EXPECT_TRUE(std::filesystem::exists(tmp.file(name))) << name;
    }
    EXPECT_EQ(iotest::readFile(tmp.file("a.b-new.pmx")), iotest::readFile(tmp.file("model-new.pmx")));
    EXPECT_FALSE(std::filesystem::exists(tmp.file("a-new.b.pmx")));
}

} // namespace
