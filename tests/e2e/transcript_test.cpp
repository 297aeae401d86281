// Whole runs of the program, each compared byte for byte with its hand-written transcript, with
// every "-new" copy it leaves checked against the bytes it must hold. The transcripts are
// composed of the fragments below, one per step of a model's run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "tests/support/e2e_run.h"
#include "tests/support/io_test_files.h"

namespace {

namespace fs = std::filesystem;
using std::string;

const string kBanner = "Quorvane  V0.90  PMX twist-axis and texture-link repair\n{V}";
const string kEn = kBanner + "(English mode) \n";
const string kJa = kBanner + "(日本語環境) \n";
const string kNoModel = "\nNo dropped PMX file detected. \n Please select PMX file(s). \n";
const string kNoModelJa = "\nドラッグ＆ドロップされた PMX ファイルはありません. \n"
                          " PMX モデルファイルを開いてください. \n";
const string kUsage = "\nCanceled File-Open Dialog Box. (stat=0000).\nUsage \n"
                      "   Quorvane <pmxFileName>.pmx \n";

// The reader's report of a UTF-16LE model named test / テスト, at display level 0.
string read(const string& file, int textures, int materials, int bones, bool ja = false) {
    return "\nReading from: {D}" + file + " \nPMX Ver 2.00 \nModel: " + (ja ? "テスト" : "test") +
           " \n0 Vertices.\n0 Surfaces.\n" + std::to_string(textures) + " Textures.\n" +
           std::to_string(materials) + " Materials.\n" + std::to_string(bones) +
           " Bones.\n0 Morphs.\n0 Frames.\n0 Rigid-bodies.\n0 Joints.\nOK. \n"
           "PMX 2.0: correctly read-in: OK. \ndone. \n\n";
}
// The same for the texture model in UTF-8: every converted text is echoed with its summary.
string echo(const string& text) {
    return text + "\nutfstat = 7. \n  cttotal = " + std::to_string(text.size()) + ". \ndone.\n";
}
const string kReadUtf8 = "\nReading from: {D}tex8.pmx \nPMX Ver 2.00 \n" + echo("test") +
                         "Model: test \n" + echo("mdl") + "0 Vertices.\n0 Surfaces.\n3 Textures.\n" +
                         echo("tex\\a.png") + echo("ok.png") + echo("tex\\b.png") +
                         "1 Materials.\n0 Bones.\n0 Morphs.\n0 Frames.\n0 Rigid-bodies.\n"
                         "0 Joints.\nOK. \nPMX 2.0: correctly read-in: OK. \ndone. \n\n";

// A question's answer echo, and the "\n" that follows Yes and No.
string answered(const string& answer) {
    return " => " + answer + " \n" + (answer == "Cancel" ? "" : "\n");
}
// The twist question on the two bent bones of armsModel, answered.
string twistAsk(const string& file, const string& answer, bool ja = false) {
    return (ja ? " モデル： \r\n " + file + " \r\n 中の \r\n 　左腕捩  \r\n 　右手捩  \r\n"
                 " の設定情報に不一致があります. \r\n \r\n 修正しますか？ (Y/N/Cancel) \r\n"
               : " Unmatched twisting axis settings of \r\n left arm twist \r\n"
                 " right wrist twist \r\n bones are found in the model: \r\n " + file +
                     " \r\n\r\n Do you like to fix them?  (Y/N/Cancel) \r\n") +
           answered(answer);
}
// A bent model without textures up to its save or notice.
string twist(const string& file, const string& answer, bool ja = false) {
    return read(file, 0, 0, 10, ja) + twistAsk(file, answer, ja) +
           (answer == "Cancel" ? "" : "pmx dir: {D} \n\n");
}
const string kTexList = "pmx dir: {D} \n0: tex\\a.png (=NG=)\n1: ok.png (ok)\n2: tex\\b.png (=NG=)\n\n";
string texAsk(int broken, const string& answer) {
    return " Broken settings of \r\n " + std::to_string(broken) +
           " texture link(s) are found. \r\n \r\n Do you like to fix them?  (Y/N/Cancel) \r\n" +
           answered(answer);
}
const string kSearchA = "--- \n0: tex\\a.png \n Texture or sphere: \r\n \r\n a.png \r\n \r\n"
                        " not found.  \r\n Please select it on the next dialogue. (continue:OK) \r\n";
const string kPickAInferB = " => OK \n\n => (renew) img\\a.png \n1: ok.png (ok)\n"
                            "2: tex\\b.png (inferred) => (renew) img\\b.png \n\n";
string saved(const string& file, const string& copy, bool ja = false) {
    return "Reading from: " + file + " \nWriting to  : " + copy + " \n\nSave OK. \n\n" +
           (ja ? " 設定を修復し、 \r\n \r\n " + copy + " \r\n \r\n へ保存しました. \r\n\n"
               : " Fixed model file  \r\n \r\n " + copy + " \r\n \r\n was saved. \r\n\n");
}
const string kNothing = " No broken settings found. \n";
const string kNothingJa = " 修復すべき箇所は \r\n 見つかりませんでした. \r\n\n";
const string kClean = "pmx dir: {D} \n0: ok.png (ok)\n\n";

struct Scenario {
    const char* name;
    const char* locale;
    std::vector<string> args;   // "{O}" is the scenario's folder
    string input;               // "{O}" as in args
    string transcript;          // UTF-8; Shift-JIS bytes expected in the Japanese locale
    std::vector<string> copies; // every "-new" file the run must leave
    bool saveBlocked = false;   // model-new.pmx is a folder; the transcript is a part of the output
};

std::vector<Scenario> scenarios() {
    const char *en = "C", *ja = "ja_JP.SJIS";
    std::vector<string> crowd(509, ""); // places 1-509; -M1 takes 510, -M2 would be the 512th
    crowd.insert(crowd.end(), {"-M1", "-M2", "-M3"});
    const string tex = read("tex.pmx", 3, 1, 0) + kTexList;
    const string texYes = tex + texAsk(2, "YES") + kSearchA;
    return {
        {"NoModelAndCancelledDialog", en, {}, "", kEn + kNoModel + kUsage, {}},
        {"NoModelAndCancelledDialogJa", ja, {}, "", kJa + kNoModelJa + kUsage, {}},
        {"ModelPickedInTheDialog", en, {}, "{O}clean.pmx\n",
         kEn + kNoModel + read("clean.pmx", 1, 0, 10) + kClean + kNothing, {}},
        {"OptionsOnlyEchoedAndUnknownLettersReportedInBothPasses", en,
         {"-D=2", "-EA=0.25", "-NX", "-d1/m3ND"}, "",
         kEn + "Info.displayLevel = 2. \nErrorAdmittance = 0.25 \n\nOption error: <X> 58"
               "Info.displayLevel = 1. \nConv.mode = 3. \nCancel.displaying.dialogue = 1 \n"
               "\nOption error: <X> 58", {}},
        {"UnreadableModelThenCleanModelWithAnOptionBetween", en,
         {"{O}missing.pmx", "-M5", "{O}clean.pmx"}, "",
         kEn + "Conv.mode = 5. \n\nReading from: {D}missing.pmx \n"
               "Cannot open RD file : {D}missing.pmx\npmdinforead err -1. \npmx dir: {D} \n\n" +
             kNothing + read("clean.pmx", 1, 0, 10) + kClean + kNothing, {}},
        {"ArgumentsBeyondTheLimitAreIgnored", en, crowd, "",
         kEn + "Too many command line parameters.\nConv.mode = 1. \n", {}},
        {"FileThatIsNotPmx", en, {"{O}bad.pmx"}, "",
         kEn + "\nReading from: {D}bad.pmx \nIllegal file format at 000003=(44) \n"
               "pmdinforead err 2. \npmx dir: {D} \n\n" + kNothing, {}},
        {"TwistYesSavesTheCorrectedAxes", en, {"{O}model.pmx"}, "y\n",
         kEn + twist("model.pmx", "YES") + saved("model.pmx", "model-new.pmx"), {"model-new.pmx"}},
        {"TwistNoSavesNothing", en, {"{O}model.pmx"}, "n\n",
         kEn + twist("model.pmx", "NO") + kNothing, {}},
        {"TwistCancelEndsTheRun", en, {"{O}model.pmx", "{O}tex.pmx"}, "c\ny\n",
         kEn + twist("model.pmx", "Cancel"), {}},
        {"EndOfInputCancels", en, {"{O}model.pmx"}, "", kEn + twist("model.pmx", "Cancel"), {}},
        {"SaveNamesKeepStemAndExtension", en, {"{O}model.pmx", "{O}a.b.pmx", "{O}model"},
         "y\ny\ny\n",
         kEn + twist("model.pmx", "YES") + saved("model.pmx", "model-new.pmx") +
             twist("a.b.pmx", "YES") + saved("a.b.pmx", "a.b-new.pmx") + twist("model", "YES") +
             saved("model", "model-new"),
         {"model-new.pmx", "a.b-new.pmx", "model-new"}},
        {"FailedSaveIsReportedAndTheNextModelFollows", en, {"{O}model.pmx", "{O}tex.pmx"},
         "y\ny\n\nimg/a.png\n", "New PMX save failed. \n\nReading from: {D}tex.pmx \n",
         {"tex-new.pmx"}, true},
        {"OnePickAndOneInferenceUtf16", en, {"{O}tex.pmx"}, "y\n\nimg/a.png\n",
         kEn + texYes + kPickAInferB + saved("tex.pmx", "tex-new.pmx"), {"tex-new.pmx"}},
        {"OnePickAndOneInferenceUtf8", en, {"{O}tex8.pmx"}, "y\n\nimg/a.png\n",
         kEn + kReadUtf8 + kTexList + texAsk(2, "YES") + kSearchA + kPickAInferB +
             saved("tex8.pmx", "tex8-new.pmx"), {"tex8-new.pmx"}},
        {"SubstitutionLearnedOnOneModelServesTheNext", en, {"{O}tex.pmx", "{O}other/next.pmx"},
         "y\n\nimg/a.png\ny\n",
         kEn + texYes + kPickAInferB + saved("tex.pmx", "tex-new.pmx") +
             read("other\\next.pmx", 1, 1, 0) + "pmx dir: {D}other\\ \n0: tex\\c.png (=NG=)\n\n" +
             texAsk(1, "YES") + "--- \n0: tex\\c.png (inferred) => (renew) img\\c.png \n\n" +
             saved("next.pmx", "next-new.pmx"), {"tex-new.pmx", "other/next-new.pmx"}},
        {"TextureNoSavesNothing", en, {"{O}tex.pmx"}, "n\n", kEn + tex + texAsk(2, "NO") + kNothing,
         {}},
        {"TextureCancelEndsTheRun", en, {"{O}tex.pmx", "{O}tex.pmx"}, "c\ny\n",
         kEn + tex + texAsk(2, "Cancel"), {}},
        {"CancelOnTheContinuePromptEndsTheRun", en, {"{O}tex.pmx", "{O}tex.pmx"}, "y\nc\n",
         kEn + texYes + " => Cancel \n\n", {}},
        {"CancelledDialogEndsTheRunNamingNoFile", en, {"{O}tex.pmx", "{O}tex.pmx"}, "y\n\n\n",
         kEn + texYes + " => OK \n\nCanceled File-Open Dialog Box. (stat=0000).\n"
                        "\nCannot find tex(0) again:  \n\n", {}},
        {"TwistNoThenTextureRepairKeepsTheAxes", en, {"{O}both.pmx"}, "n\ny\n\nimg/a.png\n",
         kEn + read("both.pmx", 1, 0, 10) + twistAsk("both.pmx", "NO") +
             "pmx dir: {D} \n0: tex\\a.png (=NG=)\n\n" + texAsk(1, "YES") + kSearchA +
             " => OK \n\n => (renew) img\\a.png \n\n" + saved("both.pmx", "both-new.pmx"),
         {"both-new.pmx"}},
        {"FailedReadDoesNotShowThePreviousModelsTextures", en, {"{O}tex.pmx", "{O}gone.pmx"},
         "n\n",
         kEn + tex + texAsk(2, "NO") + kNothing + "\nReading from: {D}gone.pmx \n"
               "Cannot open RD file : {D}gone.pmx\npmdinforead err -1. \npmx dir: {D} \n\n" +
             kNothing, {}},
        {"JapaneseTwistTextureAndCleanModels", ja, {"{O}model.pmx", "{O}tex.pmx", "{O}clean.pmx"},
         "y\ny\n\nimg/a.png\n",
         kJa + twist("model.pmx", "YES", true) + saved("model.pmx", "model-new.pmx", true) +
             read("tex.pmx", 3, 1, 0, true) + kTexList +
             " モデル： \r\n tex.pmx \r\n 中の \r\n 2 個のテクスチャへのリンクが \r\n"
             " 破損している模様です. \r\n \r\n 修復しますか？ (Y/N/Cancel) \r\n => YES \n\n"
             "--- \n0: tex\\a.png \n テクスチャ/スフィア: \r\n \r\n a.png \r\n \r\n"
             " が見つからないため、 \r\n 次のダイアログで探します。 (続行:OK) \r\n"
             " => OK \n\n => (renew) img\\a.png \n1: ok.png (ok)\n"
             "2: tex\\b.png (類推しました) => (renew) img\\b.png \n\n" +
             saved("tex.pmx", "tex-new.pmx", true) + read("clean.pmx", 1, 0, 10, true) + kClean +
             kNothingJa,
         {"model-new.pmx", "tex-new.pmx"}},
    };
}

// The models every scenario starts from, written into a folder of its own, and the bytes of the
// copies they repair to.
struct Models {
    iotest::TempFolder tmp;
    std::map<string, string> sources, copies; // by path relative to the folder

    string add(const string& name, const pmxtest::PmxRecipe& recipe, pmxtest::PmxLayout* layout) {
        const std::vector<std::uint8_t> bytes = pmxtest::buildPmx(recipe, layout);
        fs::create_directories(fs::path(tmp.file(name)).parent_path());
        iotest::writeFile(tmp.file(name), sources[name] = string(bytes.begin(), bytes.end()));
        return sources[name];
    }
    string addTextures(const string& name, const pmxtest::PmxRecipe& recipe,
                       const std::vector<string>& fixed) {
        pmxtest::PmxLayout layout;
        const string source = add(name, recipe, &layout);
        return e2e::withTextures(source, layout, fixed, recipe.encoding);
    }
    Models() {
        pmxtest::PmxLayout layout;
        const string bent = add("model.pmx", e2e::armsModel(0, true), &layout);
        string fixed = e2e::withAxis(bent, layout.fixedAxisOffsets[e2e::kArmTwistLBone], 0.6f,
                                     -0.8f, 0.0f);
        fixed = e2e::withAxis(fixed, layout.fixedAxisOffsets[e2e::kWristTwistRBone], -0.6f, -0.8f,
                              0.0f);
        for (const char* name : {"a.b.pmx", "model"}) iotest::writeFile(tmp.file(name), bent);
        copies = {{"model-new.pmx", fixed}, {"a.b-new.pmx", fixed}, {"model-new", fixed}};
        const std::vector<string> renewed = {"img\\a.png", "ok.png", "img\\b.png"};
        pmxtest::PmxRecipe recipe = e2e::texturesModel(0);
        copies["tex-new.pmx"] = addTextures("tex.pmx", recipe, renewed);
        recipe.textures = {"tex\\c.png"};
        copies["other/next-new.pmx"] = addTextures("other/next.pmx", recipe, {"img\\c.png"});
        recipe = e2e::texturesModel(1);
        recipe.modelName = "mdl"; // keeps the converter's echo short
        copies["tex8-new.pmx"] = addTextures("tex8.pmx", recipe, renewed);
        recipe = e2e::armsModel(0, true);
        recipe.textures = {"tex\\a.png"};
        copies["both-new.pmx"] = addTextures("both.pmx", recipe, {"img\\a.png"});
        recipe = e2e::armsModel(0, false);
        recipe.textures = {"ok.png"};
        add("clean.pmx", recipe, nullptr);
        fs::create_directories(tmp.file("img"));
        fs::create_directories(tmp.file("other/img"));
        for (const char* image : {"img/a.png", "img/b.png", "ok.png", "other/img/c.png"})
            iotest::writeFile(tmp.file(image), "png");
        iotest::writeFile(tmp.file("bad.pmx"), "PMD file");
    }
};

string withFolder(string text, const string& folder) {
    for (std::size_t at = text.find("{O}"); at != string::npos; at = text.find("{O}"))
        text.replace(at, 3, folder + "/");
    return text;
}

TEST(Transcript, EveryScenarioPrintsItsTranscriptAndLeavesItsCopies) {
    ASSERT_NE(std::getenv("QV_BINARY"), nullptr) << "QV_BINARY is not set";
    for (const Scenario& s : scenarios()) {
        SCOPED_TRACE(s.name);
        Models m;
        if (s.saveBlocked) fs::create_directories(m.tmp.file("model-new.pmx"));
        std::vector<string> args;
        for (const string& arg : s.args) args.push_back(withFolder(arg, m.tmp.path()));
        const e2e::ProgramRun run =
            e2e::runProgram(args, s.locale, withFolder(s.input, m.tmp.path()));
        EXPECT_EQ(run.status, 0);
        string expected = e2e::fillTranscript(s.transcript, m.tmp.path());
        if (string(s.locale) != "C") expected = e2e::shiftJis(expected);
        if (s.saveBlocked)
            EXPECT_NE(run.out.find(expected), string::npos) << run.out;
        else
            EXPECT_EQ(run.out, expected);
        std::vector<string> left, copies = s.copies;
        for (const auto& entry : fs::recursive_directory_iterator(m.tmp.path())) {
            const string name = fs::relative(entry.path(), m.tmp.path()).string();
            if (entry.is_regular_file() && name.find("-new") != string::npos) left.push_back(name);
        }
        std::sort(left.begin(), left.end());
        std::sort(copies.begin(), copies.end());
        EXPECT_EQ(left, copies);
        for (const string& copy : copies)
            EXPECT_TRUE(iotest::readFile(m.tmp.file(copy)) == m.copies[copy]) << copy;
        for (const auto& source : m.sources)
            EXPECT_TRUE(iotest::readFile(m.tmp.file(source.first)) == source.second) << source.first;
    }
}

} // namespace
