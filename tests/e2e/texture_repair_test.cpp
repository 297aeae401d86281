// Transcripts of the texture repair: one pick and one inference in either text encoding, a
// substitution carried to the next model, and every way of declining or cancelling.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/e2e_run.h"
#include "tests/support/e2e_scenario.h"
#include "tests/support/io_test_files.h"

namespace {

const char kHead[] = "Quorvane  V0.90  PMX twist-axis and texture-link repair\n"
                     "{V}(English mode) \n";

// readPmx of brokenTexturesModel in UTF-16LE: no trace of the texts.
const char kReadUtf16[] = "\n"
                          "Reading from: {D}model.pmx \n"
                          "PMX Ver 2.00 \n"
                          "Model: test \n"
                          "0 Vertices.\n"
                          "0 Surfaces.\n"
                          "3 Textures.\n"
                          "1 Materials.\n"
                          "0 Bones.\n"
                          "0 Morphs.\n"
                          "0 Frames.\n"
                          "0 Rigid-bodies.\n"
                          "0 Joints.\n"
                          "OK. \n"
                          "PMX 2.0: correctly read-in: OK. \n"
                          "done. \n"
                          "\n";

// The same model in UTF-8: each converted text is echoed byte by byte with its summary.
const char kReadUtf8[] = "\n"
                         "Reading from: {D}model.pmx \n"
                         "PMX Ver 2.00 \n"
                         "test\n"
                         "utfstat = 7. \n"
                         "  cttotal = 4. \n"
                         "done.\n"
                         "Model: test \n"
                         "mdl\n"
                         "utfstat = 7. \n"
                         "  cttotal = 3. \n"
                         "done.\n"
                         "0 Vertices.\n"
                         "0 Surfaces.\n"
                         "3 Textures.\n"
                         "tex\\a.png\n"
                         "utfstat = 7. \n"
                         "  cttotal = 9. \n"
                         "done.\n"
                         "ok.png\n"
                         "utfstat = 7. \n"
                         "  cttotal = 6. \n"
                         "done.\n"
                         "tex\\b.png\n"
                         "utfstat = 7. \n"
                         "  cttotal = 9. \n"
                         "done.\n"
                         "1 Materials.\n"
                         "0 Bones.\n"
                         "0 Morphs.\n"
                         "0 Frames.\n"
                         "0 Rigid-bodies.\n"
                         "0 Joints.\n"
                         "OK. \n"
                         "PMX 2.0: correctly read-in: OK. \n"
                         "done. \n"
                         "\n";

const char kCheckAndQuestion[] = "pmx dir: {D} \n"
                                 "0: tex\\a.png (=NG=)\n"
                                 "1: ok.png (ok)\n"
                                 "2: tex\\b.png (=NG=)\n"
                                 "\n"
                                 " Broken settings of \r\n"
                                 " 2 texture link(s) are found. \r\n"
                                 " \r\n"
                                 " Do you like to fix them?  (Y/N/Cancel) \r\n";

const char kSearchA[] = "--- \n"
                        "0: tex\\a.png "
                        "\n"
                        " Texture or sphere: \r\n"
                        " \r\n"
                        " a.png \r\n"
                        " \r\n"
                        " not found.  \r\n"
                        " Please select it on the next dialogue. (continue:OK) \r\n";

const char kRepairedAndSaved[] = " => OK \n"
                                 "\n => (renew) img\\a.png "
                                 "\n"
                                 "1: ok.png (ok)\n"
                                 "2: tex\\b.png (inferred) => (renew) img\\b.png \n"
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
                                 "\n";

class TextureRepair : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(e2e::programPath().empty()) << "QV_BINARY is not set";
        std::filesystem::create_directories(tmp.file("img"));
        iotest::writeFile(tmp.file("img/a.png"), "png a");
        iotest::writeFile(tmp.file("img/b.png"), "png b");
        iotest::writeFile(tmp.file("ok.png"), "png ok");
    }
    std::string makeModel(std::uint8_t encoding) {
        pmxtest::PmxRecipe plan = e2e::brokenTexturesModel(encoding);
        if (encoding != 0) plan.modelName = "mdl"; // keeps the converter's echo short
        return e2e::writeModel(tmp.file("model.pmx"), plan, &layout);
    }
    std::string fill(const std::string& text) { return e2e::fillTranscript(text, tmp.path()); }
    bool copyExists() { return std::filesystem::exists(tmp.file("model-new.pmx")); }
    iotest::TempFolder tmp;
    pmxtest::PmxLayout layout;
};

TEST_F(TextureRepair, OnePickAndOneInferenceUtf16) {
    const std::string source = makeModel(0);
    e2e::ProgramRun run = e2e::runProgram({tmp.file("model.pmx")}, "C", "y\n\nimg/a.png\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, fill(std::string(kHead) + kReadUtf16 + kCheckAndQuestion + " => YES \n\n" +
                            kSearchA + kRepairedAndSaved));
    EXPECT_EQ(iotest::readFile(tmp.file("model-new.pmx")),
              e2e::withTextures(source, layout, {"img\\a.png", "ok.png", "img\\b.png"}, 0));
    // The dialog's title names the missing texture (the prompts are on standard error).
    EXPECT_NE(run.err.find("Searching for:  tex\\a.png"), std::string::npos);
}

TEST_F(TextureRepair, OnePickAndOneInferenceUtf8) {
    const std::string source = makeModel(1);
    e2e::ProgramRun run = e2e::runProgram({tmp.file("model.pmx")}, "C", "y\n\nimg/a.png\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, fill(std::string(kHead) + kReadUtf8 + kCheckAndQuestion + " => YES \n\n" +
                            kSearchA + kRepairedAndSaved));
    EXPECT_EQ(iotest::readFile(tmp.file("model-new.pmx")),
              e2e::withTextures(source, layout, {"img\\a.png", "ok.png", "img\\b.png"}, 1));
}

TEST_F(TextureRepair, SubstitutionLearnedOnOneModelServesTheNext) {
    makeModel(0);
    std::filesystem::create_directories(tmp.file("other/img"));
    iotest::writeFile(tmp.file("other/img/c.png"), "png c");
    pmxtest::PmxRecipe next = e2e::brokenTexturesModel(0);
    next.textures = {"tex\\c.png"};
    pmxtest::PmxLayout nextLayout;
    const std::string nextSource = e2e::writeModel(tmp.file("other/next.pmx"), next, &nextLayout);

    e2e::ProgramRun run = e2e::runProgram({tmp.file("model.pmx"), tmp.file("other/next.pmx")},
                                          "C", "y\n\nimg/a.png\ny\n");
    EXPECT_EQ(run.status, 0);
    const std::string other = iotest::insidePath(tmp.file("other/"));
    const std::string second = "\n"
                               "Reading from: " + other + "next.pmx \n"
                               "PMX Ver 2.00 \n"
                               "Model: test \n"
                               "0 Vertices.\n"
                               "0 Surfaces.\n"
                               "1 Textures.\n"
                               "1 Materials.\n"
                               "0 Bones.\n"
                               "0 Morphs.\n"
                               "0 Frames.\n"
                               "0 Rigid-bodies.\n"
                               "0 Joints.\n"
                               "OK. \n"
                               "PMX 2.0: correctly read-in: OK. \n"
                               "done. \n"
                               "\n"
                               "pmx dir: " + other + " \n"
                               "0: tex\\c.png (=NG=)\n"
                               "\n"
                               " Broken settings of \r\n"
                               " 1 texture link(s) are found. \r\n"
                               " \r\n"
                               " Do you like to fix them?  (Y/N/Cancel) \r\n"
                               " => YES \n"
                               "\n"
                               "--- \n"
                               "0: tex\\c.png (inferred) => (renew) img\\c.png \n"
                               "\n"
                               "Reading from: next.pmx \n"
                               "Writing to  : next-new.pmx \n"
                               "\n"
                               "Save OK. \n"
                               "\n"
                               " Fixed model file  \r\n"
                               " \r\n"
                               " next-new.pmx \r\n"
                               " \r\n"
                               " was saved. \r\n"
                               "\n";
    EXPECT_EQ(run.out, fill(std::string(kHead) + kReadUtf16 + kCheckAndQuestion + " => YES \n\n" +
                            kSearchA + kRepairedAndSaved) + second);
    EXPECT_EQ(iotest::readFile(tmp.file("other/next-new.pmx")),
              e2e::withTextures(nextSource, nextLayout, {"img\\c.png"}, 0));
}

TEST_F(TextureRepair, NoWithoutTwistVerdictSavesNothing) {
    makeModel(0);
    e2e::ProgramRun run = e2e::runProgram({tmp.file("model.pmx")}, "C", "n\n");
    EXPECT_EQ(run.out, fill(std::string(kHead) + kReadUtf16 + kCheckAndQuestion +
                            " => NO \n\n No broken settings found. \n"));
    EXPECT_FALSE(copyExists());
}

TEST_F(TextureRepair, CancelOnTheQuestionEndsTheRun) {
    makeModel(0);
    e2e::ProgramRun run =
        e2e::runProgram({tmp.file("model.pmx"), tmp.file("model.pmx")}, "C", "c\ny\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, fill(std::string(kHead) + kReadUtf16 + kCheckAndQuestion + " => Cancel \n"));
    EXPECT_FALSE(copyExists());
}

TEST_F(TextureRepair, CancelOnTheContinuePromptEndsTheRun) {
    makeModel(0);
    e2e::ProgramRun run =
        e2e::runProgram({tmp.file("model.pmx"), tmp.file("model.pmx")}, "C", "y\nc\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, fill(std::string(kHead) + kReadUtf16 + kCheckAndQuestion + " => YES \n\n" +
                            kSearchA + " => Cancel \n\n"));
    EXPECT_FALSE(copyExists());
}

TEST_F(TextureRepair, CancelledDialogEndsTheRunNamingNoFile) {
    makeModel(0);
    e2e::ProgramRun run =
        e2e::runProgram({tmp.file("model.pmx"), tmp.file("model.pmx")}, "C", "y\n\n\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, fill(std::string(kHead) + kReadUtf16 + kCheckAndQuestion + " => YES \n\n" +
                            kSearchA + " => OK \n"
                                       "\nCanceled File-Open Dialog Box. (stat=0000).\n"
                                       "\nCannot find tex(0) again:  \n"
                                       "\n"));
    EXPECT_FALSE(copyExists());
}

TEST_F(TextureRepair, TwistNoThenTextureRepairStillSaves) {
    pmxtest::PmxRecipe plan = e2e::bentTwistsModel(0);
    plan.textures = {"tex\\a.png"};
    pmxtest::PmxLayout both;
    const std::string source = e2e::writeModel(tmp.file("model.pmx"), plan, &both);
    e2e::ProgramRun run = e2e::runProgram({tmp.file("model.pmx")}, "C", "n\ny\n\nimg/a.png\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Save OK. \n"), std::string::npos);
    // Only the texture block changed: the axes answered No stay as they were.
    EXPECT_EQ(iotest::readFile(tmp.file("model-new.pmx")),
              e2e::withTextures(source, both, {"img\\a.png"}, 0));
}

} // namespace
