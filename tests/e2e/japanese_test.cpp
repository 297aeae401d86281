// Transcripts in Japanese mode (a Japanese locale: raw Shift-JIS on standard output), and a
// Japanese file name in the English texts. Expected texts are written here in UTF-8 and
// turned into code page 932 by the C library, not by the program's converters.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/e2e_run.h"
#include "tests/support/e2e_scenario.h"
#include "tests/support/io_test_files.h"

namespace {

const char kLocale[] = "ja_JP.SJIS";

const char kHead[] = "Quorvane  V0.90  PMX twist-axis and texture-link repair\n"
                     "{V}(日本語環境) \n";

const char kSaved[] = "Reading from: model.pmx \n"
                      "Writing to  : model-new.pmx \n"
                      "\n"
                      "Save OK. \n"
                      "\n"
                      " 設定を修復し、 \r\n"
                      " \r\n"
                      " model-new.pmx \r\n"
                      " \r\n"
                      " へ保存しました. \r\n"
                      "\n";

class Japanese : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(e2e::programPath().empty()) << "QV_BINARY is not set"; }
    std::string expected(const std::string& utf8) {
        return e2e::shiftJis(e2e::fillTranscript(utf8, tmp.path()));
    }
    iotest::TempFolder tmp;
};

TEST_F(Japanese, NoModelAndCancelledDialog) {
    e2e::ProgramRun run = e2e::runProgram({}, kLocale, "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, expected(std::string(kHead) +
                                "\n"
                                "ドラッグ＆ドロップされた PMX ファイルはありません. \n"
                                " PMX モデルファイルを開いてください. \n"
                                "\n"
                                "Canceled File-Open Dialog Box. (stat=0000).\n"
                                "Usage \n"
                                "   Quorvane <pmxFileName>.pmx \n"));
}

TEST_F(Japanese, TwistQuestionAnsweredYes) {
    pmxtest::PmxLayout layout;
    const std::string source = e2e::writeModel(tmp.file("model.pmx"), e2e::bentTwistsModel(0), &layout);
    e2e::ProgramRun run = e2e::runProgram({tmp.file("model.pmx")}, kLocale, "y\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, expected(std::string(kHead) +
                                "\n"
                                "Reading from: {D}model.pmx \n"
                                "PMX Ver 2.00 \n"
                                "Model: テスト \n"
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
                                " モデル： \r\n"
                                " model.pmx \r\n"
                                " 中の \r\n"
                                " 　左腕捩  \r\n"
                                " 　右手捩  \r\n"
                                " の設定情報に不一致があります. \r\n"
                                " \r\n"
                                " 修正しますか？ (Y/N/Cancel) \r\n"
                                " => YES \n"
                                "\n"
                                "pmx dir: {D} \n"
                                "\n" +
                                kSaved));
    std::string copy = e2e::withAxis(source, layout.fixedAxisOffsets[e2e::kArmTwistLBone], 0.6f,
                                     -0.8f, 0.0f);
    copy = e2e::withAxis(copy, layout.fixedAxisOffsets[e2e::kWristTwistRBone], -0.6f, -0.8f, 0.0f);
    EXPECT_EQ(iotest::readFile(tmp.file("model-new.pmx")), copy);
}

TEST_F(Japanese, OnePickAndOneInference) {
    std::filesystem::create_directories(tmp.file("img"));
    iotest::writeFile(tmp.file("img/a.png"), "png a");
    iotest::writeFile(tmp.file("img/b.png"), "png b");
    iotest::writeFile(tmp.file("ok.png"), "png ok");
    pmxtest::PmxLayout layout;
    const std::string source =
        e2e::writeModel(tmp.file("model.pmx"), e2e::brokenTexturesModel(0), &layout);
    e2e::ProgramRun run = e2e::runProgram({tmp.file("model.pmx")}, kLocale, "y\n\nimg/a.png\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, expected(std::string(kHead) +
                                "\n"
                                "Reading from: {D}model.pmx \n"
                                "PMX Ver 2.00 \n"
                                "Model: テスト \n"
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
                                "\n"
                                "pmx dir: {D} \n"
                                "0: tex\\a.png (=NG=)\n"
                                "1: ok.png (ok)\n"
                                "2: tex\\b.png (=NG=)\n"
                                "\n"
                                " モデル： \r\n"
                                " model.pmx \r\n"
                                " 中の \r\n"
                                " 2 個のテクスチャへのリンクが \r\n"
                                " 破損している模様です. \r\n"
                                " \r\n"
                                " 修復しますか？ (Y/N/Cancel) \r\n"
                                " => YES \n"
                                "\n"
                                "--- \n"
                                "0: tex\\a.png "
                                "\n"
                                " テクスチャ/スフィア: \r\n"
                                " \r\n"
                                " a.png \r\n"
                                " \r\n"
                                " が見つからないため、 \r\n"
                                " 次のダイアログで探します。 (続行:OK) \r\n"
                                " => OK \n"
                                "\n => (renew) img\\a.png "
                                "\n"
                                "1: ok.png (ok)\n"
                                "2: tex\\b.png (類推しました) => (renew) img\\b.png \n"
                                "\n" +
                                kSaved));
    EXPECT_EQ(iotest::readFile(tmp.file("model-new.pmx")),
              e2e::withTextures(source, layout, {"img\\a.png", "ok.png", "img\\b.png"}, 0));
}

TEST_F(Japanese, CleanModelEndsWithTheNothingFoundNotice) {
    e2e::writeModel(tmp.file("model.pmx"), e2e::straightArmsModel(1), nullptr);
    e2e::ProgramRun run = e2e::runProgram({tmp.file("model.pmx")}, kLocale, "");
    EXPECT_EQ(run.status, 0);
    const std::string tail = expected("pmx dir: {D} \n"
                                      "\n"
                                      " 修復すべき箇所は \r\n"
                                      " 見つかりませんでした. \r\n"
                                      "\n");
    ASSERT_GE(run.out.size(), tail.size());
    EXPECT_EQ(run.out.substr(run.out.size() - tail.size()), tail);
}

TEST(JapaneseFileName, EnglishMessagesCarryTheNameInUtf8) {
    ASSERT_FALSE(e2e::programPath().empty()) << "QV_BINARY is not set";
    iotest::TempFolder tmp;
    e2e::writeModel(tmp.file("モデル.pmx"), e2e::bentTwistsModel(0), nullptr);
    e2e::ProgramRun run = e2e::runProgram({tmp.file("モデル.pmx")}, "C", "y\n");
    EXPECT_EQ(run.status, 0);
    // The console lines print the Shift-JIS name; the message texts were composed in UTF-8.
    EXPECT_NE(run.out.find("Writing to  : " + e2e::shiftJis("モデル-new.pmx") + " \n"),
              std::string::npos);
    EXPECT_NE(run.out.find(" bones are found in the model: \r\n モデル.pmx \r\n"), std::string::npos);
    EXPECT_NE(run.out.find(" \r\n モデル-new.pmx \r\n \r\n was saved. \r\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(tmp.file("モデル-new.pmx")));
}

} // namespace
