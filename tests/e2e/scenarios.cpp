// The scenarios' table, the transcript fragments it is composed of, and the models it runs on.
#include "tests/e2e/scenarios.h"

#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/argument_list.h"

namespace e2e {

namespace fs = std::filesystem;

void replaceAll(string* text, const string& from, const string& to) {
    for (std::size_t at = text->find(from); at != string::npos;
         at = text->find(from, at + to.size()))
        text->replace(at, from.size(), to);
}

// One shell word holding `text` whatever its bytes.
string shellWord(string text) {
    replaceAll(&text, "'", "'\\''");
    return "'" + text + "'";
}

// `utf8` in code page 932, converted by the C library's iconv (not by the program).
string shiftJis(string utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return "<no iconv>";
    string out(utf8.size() * 2 + 4, '\0');
    char *in = &utf8[0], *to = &out[0];
    std::size_t inLeft = utf8.size(), outLeft = out.size();
    const std::size_t result = iconv(cd, &in, &inLeft, &to, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return result == static_cast<std::size_t>(-1) ? "<iconv failed>" : out;
}

const string kBanner = "Quorvane  V0.90  PMX twist-axis and texture-link repair\n{V}";
const string kEn = kBanner + "(English mode) \n";
const string kJa = kBanner + "(日本語環境) \n";
const string kNoModel = "\nNo dropped PMX file detected. \n Please select PMX file(s). \n";
const string kNoModelJa = "\nドラッグ＆ドロップされた PMX ファイルはありません. \n"
                          " PMX モデルファイルを開いてください. \n";
const string kUsageLines = "Usage \n   Quorvane <pmxFileName>.pmx \n";
const string kUsage = "\nCanceled File-Open Dialog Box. (stat=0000).\n" + kUsageLines;

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
                         "Model: test \n" + echo("mdl") +
                         "0 Vertices.\n0 Surfaces.\n3 Textures.\n" + echo("tex\\a.png") +
                         echo("ok.png") + echo("tex\\b.png") +
                         "1 Materials.\n0 Bones.\n0 Morphs.\n0 Frames.\n0 Rigid-bodies.\n"
                         "0 Joints.\nOK. \nPMX 2.0: correctly read-in: OK. \ndone. \n\n";
// A question's answer echo, and the "\n" that follows Yes and No.
string answered(const string& answer) {
    return " => " + answer + " \n" + (answer == "Cancel" ? "" : "\n");
}
// The twist question on the bones armsModel bends by default (English `lines` for others),
// answered.
string twistAsk(const string& file, const string& answer, bool ja = false,
                const string& lines = " left arm twist \r\n right wrist twist \r\n") {
    return (ja ? " モデル： \r\n " + file + " \r\n 中の \r\n 　左腕捩  \r\n 　右手捩  \r\n"
                 " の設定情報に不一致があります. \r\n \r\n 修正しますか？ (Y/N/Cancel) \r\n"
               : " Unmatched twisting axis settings of \r\n" + lines +
                     " bones are found in the model: \r\n " + file +
                     " \r\n\r\n Do you like to fix them?  (Y/N/Cancel) \r\n") +
           answered(answer);
}
// A bent model without textures up to its save or notice.
string twist(const string& file, const string& answer, bool ja = false) {
    return read(file, 0, 0, 10, ja) + twistAsk(file, answer, ja) +
           (answer == "Cancel" ? "" : "pmx dir: {D} \n\n");
}
// The list of the texture model in the folder {D}`folder`.
string texList(const string& folder = "") {
    return "pmx dir: {D}" + folder + " \n0: tex\\a.png (=NG=)\n1: ok.png (ok)\n2: tex\\b.png (=NG=)\n\n";
}
const string kTexList = texList();
// The texture question, in Japanese when it names the model `jaFile`.
string texAsk(int broken, const string& answer, const string& jaFile) {
    const string count = std::to_string(broken);
    return (jaFile.empty() ? " Broken settings of \r\n " + count +
                                 " texture link(s) are found. \r\n \r\n Do you like to fix them?  (Y/N/Cancel) \r\n"
                           : " モデル： \r\n " + jaFile + " \r\n 中の \r\n " + count + " 個のテクスチャへのリンクが \r\n"
                                 " 破損している模様です. \r\n \r\n 修復しますか？ (Y/N/Cancel) \r\n") +
           answered(answer);
}
// The continue prompt for the texture `name` not found (after the line naming its link).
string notFound(const string& name) {
    return "\n Texture or sphere: \r\n \r\n " + name +
           " \r\n \r\n not found.  \r\n Please select it on the next dialogue. (continue:OK) \r\n";
}
const string kSearchA = "--- \n0: tex\\a.png " + notFound("a.png");
const string kDialogCancelled = "Canceled File-Open Dialog Box. (stat=0000).\n\nCannot find tex(0) again:  \n\n";
const string kPickAInferB = " => OK \n\n => (renew) img\\a.png \n1: ok.png (ok)\n"
                            "2: tex\\b.png (inferred) => (renew) img\\b.png \n\n";
string saved(const string& file, const string& copy, bool ja) {
    return "Reading from: " + file + " \nWriting to  : " + copy + " \n\nSave OK. \n\n" +
           (ja ? " 設定を修復し、 \r\n \r\n " + copy + " \r\n \r\n へ保存しました. \r\n\n"
               : " Fixed model file  \r\n \r\n " + copy + " \r\n \r\n was saved. \r\n\n");
}
const string kNothing = " No broken settings found. \n";
const string kNothingJa = " 修復すべき箇所は \r\n 見つかりませんでした. \r\n\n";
const string kUnread = " Model file could not be read. \n";
const string kUnreadJa = " モデルファイルを \r\n 読み込めませんでした. \r\n\n";
const string kClean = "pmx dir: {D} \n0: ok.png (ok)\n\n";

// The run of モデル.pmx in `folder`, under a UTF-8 locale: its links typed on Windows, two found
// in another case, the third renewed with the file typed in the dialog.
string guideRun(const string& folder) {
    const string links = "0: テクスチャ\\ガイド.png (ok)\n1: パーツ\\é.png (ok)\n2: old\\ガイド.png ";
    return kEn + read(folder + "/モデル.pmx", 3, 1, 0) + "pmx dir: {D}" + folder + "/ \n" + links +
           "(=NG=)\n\n" + texAsk(1, "YES") + "--- \n" + links + notFound("ガイド.png") + " => OK \n\n"
           " => (renew) img\\ガイド.png \n\n" + saved("モデル.pmx", "モデル-new.pmx");
}

// The test model without bones, linking `links` (UTF-8), written as `path` (outside form).
void writeLinkModel(const string& path, const std::vector<string>& links) {
    pmxtest::PmxRecipe r = armsModel({});
    r.bones.clear();
    r.textures = links;
    pmxtest::writeFile(path, pmxtest::buildPmx(r));
}
// The Japanese model ja/モデル.pmx: its list, its continue prompt in Japanese, and on a Western
// system the saved notice of モデル/モデル.pmx.
const string kJaLink = "pmx dir: {D}ja{/} \n0: テクスチャ\\髪.png (=NG=)\n\n";
const string kJaNotFound = " テクスチャ/スフィア: \r\n \r\n 髪.png \r\n \r\n が見つからないため、 \r\n"
                           " 次のダイアログで探します。 (続行:OK) \r\n";
const string kSavedWestern = " Fixed model file  \r\n \r\n モデル-new.pmx \r\n \r\n was saved. \r\n";

// The run of pub/model.pmx up to its save.
const string kPub = kEn + read("pub/model.pmx", 0, 0, 10) + twistAsk("model.pmx", "YES") + "pmx dir: {D}pub/ \n\n";

// `row`, run under Wine too with `answers`.
Scenario wine(const char* answers, Scenario row) {
    row.wine = answers;
    return row;
}

bool onLinux(const Scenario& s) { return s.locale[0] == 'C' || string(s.locale) == "ja_JP.SJIS"; }

std::vector<Scenario> scenarios() {
    const char *en = "C", *ja = "ja_JP.SJIS";
    std::vector<string> crowd(509, ""); // places 1-509; -M1 takes 510, -M2 would be the 512th
    crowd.insert(crowd.end(), {"-M1", "-M2", "-M3"});
    const string tex = read("tex.pmx", 3, 1, 0) + kTexList;
    const string texYes = tex + texAsk(2, "YES") + kSearchA;
    // dir/tex.pmx named by a relative path: shown, repaired and saved as by its full path.
    const string relative = kEn + read("dir{/}tex.pmx", 3, 1, 0) + texList("dir{/}") +
                            texAsk(2, "YES") + kSearchA + kPickAInferB + saved("tex.pmx", "tex-new.pmx");
    return {
        wine("Open MMD Model File=key:Escape",
             {"NoModelAndCancelledDialogJa", 2, ja, {}, "", kJa + kNoModelJa + kUsage, {}}),
        // The dialog starts in the current folder, where the name typed is found.
        wine("Open MMD Model File=type:{O}clean.pmx|Return",
             {"ModelPickedInTheDialogFromTheCurrentFolder", 0, en, {}, "clean.pmx\n",
         kEn + kNoModel + read("clean.pmx", 1, 0, 10) + kClean + kNothing, {}, "Folder: {R}\n",
         "{O}"}),
        wine("",
             {"VersionAsTheFirstArgument", 0, en, {"--version"}, "", "Quorvane 0.90\n", {}}),
        // Help where users of other tools look.
        {"HelpHabitMinusHAloneShowsTheHelp", 0, en, {"-h"}, "", "Usage: quorvane [options]{*}no model was given\n", {}},
        wine("",
             {"OptionsOnlyEchoedAndUnknownLettersReportedInBothPasses", 2, en,
         {"-D=2", "-EA=0.25", "-NX", "-d1/m3ND"}, "",
         kEn + "Info.displayLevel = 2. \nErrorAdmittance = 0.25 \n\nOption error: <X> 58"
               "Info.displayLevel = 1. \nConv.mode = 3. \nCancel.displaying.dialogue = 1 \n"
               "\nOption error: <X> 58" + kUsageLines, {}}),
        // Standard error joined to the transcript: options without an error point to no help.
        {"OptionsWithoutErrorsPointToNoHelp", 2, en, {"-D=2"}, "", kEn + "Info.displayLevel = 2. \n" + kUsageLines,
         {}, "", "", nullptr, "sh -c 'exec \"$@\" 2>&1' sh"},
        {"ArgumentsBeyondTheLimitAreIgnored", 2, en, crowd, "",
         kEn + "Too many command line parameters.\nConv.mode = 1. \n" + kUsageLines, {}},
        wine("Return",
             {"FileThatIsNotPmx", 2, en, {"{O}bad.pmx"}, "",
         kEn + "\nReading from: {D}bad.pmx \nIllegal file format at 000003=(44) \n"
               "pmdinforead err 2. \npmx dir: {D} \n\n" + kUnread, {}}),
        wine("Escape",
             {"TwistCancelEndsTheRun", 1, en, {"{O}model.pmx", "{O}tex.pmx"}, "c\ny\n",
         kEn + twist("model.pmx", "Cancel"), {}}),
        // A link picked in the dialog is stored relative to the model's full folder.
        wine("y|Return|Searching for:  tex\\a.png=type:{O}dir\\img\\a.png|Return",
             {"ModelNamedFromASiblingFolder", 0, en, {"../dir/./tex.pmx"}, "y\n\nimg/a.png\n", relative,
         {"dir/tex-new.pmx"}, "", "{O}side"}),
        wine("y|Return|Searching for:  tex\\a.png=type:{O}img\\a.png|Return",
             {"OnePickAndOneInferenceUtf16", 0, en, {"{O}tex.pmx"}, "y\n\nimg/a.png\n",
         kEn + texYes + kPickAInferB + saved("tex.pmx", "tex-new.pmx"), {"tex-new.pmx"},
         "Searching for:  tex\\a.png"}), // the file dialog's title names the missing texture
        {"OnePickAndOneInferenceUtf8", 0, en, {"{O}tex8.pmx"}, "y\n\nimg/a.png\n",
         kEn + kReadUtf8 + kTexList + texAsk(2, "YES") + kSearchA + kPickAInferB +
             saved("tex8.pmx", "tex8-new.pmx"), {"tex8-new.pmx"}},
        // A file moved into another folder: of two files of the name, the one whose folders end as
        // the link's do is offered, an empty answer takes it, and what it teaches renews the next.
        wine("y|Return|Searching for:  tex\\a.png=key:Return|Return",
             {"OfTwoFilesOfTheNameTheOneInTheLinksFolderIsOffered", 0, en, {"{O}two/tex.pmx"}, "y\n\n\n",
         kEn + read("two{/}tex.pmx", 3, 1, 0) + texList("two{/}") + texAsk(2, "YES") + kSearchA +
             " => OK \n\n => (renew) x\\tex\\a.png \n1: ok.png (ok)\n"
             "2: tex\\b.png (inferred) => (renew) x\\tex\\b.png \n\n" + saved("tex.pmx", "tex-new.pmx"),
         {"two/tex-new.pmx"}, "File name [x/tex/a.png]: "}),
        wine("n|Return",
             {"TextureNoSavesNothing", 1, en, {"{O}tex.pmx"}, "n\n", kEn + tex + texAsk(2, "NO") + kNothing,
         {}}),
        {"FailedReadDoesNotShowThePreviousModelsTextures", 2, en, {"{O}tex.pmx", "{O}gone.pmx"},
         "n\n",
         kEn + tex + texAsk(2, "NO") + kNothing + "\nReading from: {D}gone.pmx \n"
               "Cannot open RD file : {D}gone.pmx\npmdinforead err -1. \npmx dir: {D} \n\n" +
             kUnread, {}},
        // Names unpacked from a macOS archive are decomposed (デ as テ + U+3099): the model
        // given so, its links and the typed name all find them; the renewed link is composed.
        {"DecomposedNamesMatchComposedLinksAndTheTypedName", 0, "C.UTF-8", {"{O}nfd/モテ\u3099ル.pmx"},
         "y\n\nimg/ガイド.png\n", guideRun("nfd"), {"nfd/モデル-new.pmx"}},
        wine("y|Return|y|Return|Searching for:  tex\\a.png=type:{O}img\\a.png|Return|Return",
             {"JapaneseTwistTextureAndCleanModels", 0, ja, {"{O}model.pmx", "{O}tex.pmx", "{O}clean.pmx"},
         "y\ny\n\nimg/a.png\n",
         kJa + twist("model.pmx", "YES", true) + saved("model.pmx", "model-new.pmx", true) +
             read("tex.pmx", 3, 1, 0, true) + kTexList + texAsk(2, "YES", "tex.pmx") + "--- \n0: tex\\a.png \n テクスチャ/スフィア: \r\n \r\n a.png \r\n \r\n"
             " が見つからないため、 \r\n 次のダイアログで探します。 (続行:OK) \r\n"
             " => OK \n\n => (renew) img\\a.png \n1: ok.png (ok)\n"
             "2: tex\\b.png (類推しました) => (renew) img\\b.png \n\n" +
             saved("tex.pmx", "tex-new.pmx", true) + read("clean.pmx", 1, 0, 10, true) + kClean +
             kNothingJa,
         {"model-new.pmx", "tex-new.pmx"}}),

        {"OnlyTheTenSharedToonNamesAloneAreSharedJa", 1, ja, {"{O}toons/u.pmx"}, "n\n",
         kJa + read("toons/u.pmx", 5, 1, 0, true) + "pmx dir: {D}toons/ \n0: toon09.bmp (共有トゥーン)\n"
               "1: toon11.bmp (=NG=)\n2: tex\\toon01.bmp (=NG=)\n3: ?.png (=NG=)\n4: face01.bmp (=NG=)\n\n" +
               texAsk(4, "NO", "u.pmx") + kNothingJa,
         {}},

        // Names as Linux spells them: a backslash is part of a name, a quote too, and ".." after
        // a link leads where the file system says; a folder typed in another case is stored as
        // it is on disk, so a pick beside the model is stored beside it.
        {"NameHoldingBackslashesIsLeftOutNeverSplitIntoFolders", 2, en, {"{O}x\\..\\model.pmx", "{O}clean.pmx"},
         "", kEn + "Backslash in a file name: left out : {D}x\\..\\model.pmx\n" + read("clean.pmx", 1, 0, 10) +
                 kClean + kNothing, {}, "", "",
         [](const string& d) { fs::copy_file(d + "/model.pmx", d + "/x\\..\\model.pmx"); }},
        {"FolderTypedInAnotherCaseIsShownAndStoredAsOnDisk", 0, en, {"{O}DIR/tex.pmx"}, "y\n\nimg/a.png\n",
         relative, {"dir/tex-new.pmx"}},

        // Hostile folders: links, special files, permissions and limits around a run.
        {"LinkNamedLikeTheTemporaryFileToTheSourceIsPassedOver", 0, en, {"{O}model.pmx"}, "y\n",
         kEn + twist("model.pmx", "YES") + saved("model.pmx", "model-new.pmx"), {"model-new.pmx"},
         "", "", [](const string& d) { // an earlier copy: the new one takes a temporary name first
             fs::create_symlink("model.pmx", d + "/model-new.pmx.tmp"); iotest::writeFile(d + "/model-new.pmx", ""); }},
        {"FifoPickedInTheDialogIsNotPresent", 1, en, {"{O}tex.pmx"}, "y\n\npipe.png\n",
         kEn + texYes + " => OK \n\nCannot find tex(0) again: {D}pipe.png \n\n", {}, "", "",
         [](const string& d) { mkfifo((d + "/pipe.png").c_str(), 0600); }},
        {"ReadOnlyFolderFailsTheSaveAndNamesTheFile", 2, en, {"{O}ro/model.pmx"}, "y\n",
         kEn + read("ro/model.pmx", 0, 0, 10) + twistAsk("model.pmx", "YES") +
             "pmx dir: {D}ro/ \n\nReading from: model.pmx \nWriting to  : model-new.pmx \n"
             "Cannot open WR file : {D}ro/model-new.pmx.tmp\nNew PMX save failed. \n", {}, "", "",
         [](const string& d) { chmod((d + "/ro").c_str(), 0555); }, "{U}"},
        // The same model twice, and its copy's name as a model between: that copy waits until
        // the model of that name has been read.
        {"CopyNeverReplacesAModelStillToBeRead", 2, en,
         {"{O}twice.pmx", "{O}twice-new.pmx", "{O}twice.pmx"}, "y\ny\n",
         kEn + twist("twice.pmx", "YES") + "Copy would replace a later model : {D}twice-new.pmx\n"
               "New PMX save failed. \n" + read("twice-new.pmx", 1, 0, 10) + kClean + kNothing +
             twist("twice.pmx", "YES") + saved("twice.pmx", "twice-new.pmx"), {"twice-new.pmx"},
         "", "", [](const string& d) { fs::copy_file(d + "/clean.pmx", d + "/twice-new.pmx"); }},
        // The same when that later model is not there yet: the copy would be read in its place.
        {"CopyNeverTakesTheNameOfALaterModelNotThereYet", 2, en, {"{O}twice.pmx", "{O}twice-new.pmx"}, "y\n",
         kEn + twist("twice.pmx", "YES") + "Copy would replace a later model : {D}twice-new.pmx\nNew PMX save failed. \n"
               "\nReading from: {D}twice-new.pmx \nCannot open RD file : {D}twice-new.pmx\npmdinforead err -1. \n"
               "pmx dir: {D} \n\n" + kUnread, {}},
        {"FileSizeLimitMetInTheSaveLeavesNoTemporaryFile", 2, en, {"{O}big.pmx"}, "y\n",
         kEn + read("big.pmx", 0, 0, 1010) + twistAsk("big.pmx", "YES") + "pmx dir: {D} \n\n"
               "Reading from: big.pmx \nWriting to  : big-new.pmx \n{*}New PMX save failed. \n",
         {}, "", "", nullptr, "ulimit -f 20;"},
        // The model after a path too long to open is still read.
        {"ArgumentThatDoesNotFitThePoolIsLeftOutWhole", 2, en, {"{F}", "{O}model.pmx.user-copy.pmx", "{O}clean.pmx"},
         "y\n", kEn + "Too long command line: 1 parameter(s) left out.\n\nToo long path: skipped. \n" +
                     read("clean.pmx", 1, 0, 10) + kClean + kNothing, {}},

        {"ControlCharactersInNamesAreShownEscaped", 1, en, {"{O}esc\x1b]0;owned\x07.pmx"}, "y\n\n\n",
         kEn + read("esc\\x1b]0;owned\\x07.pmx", 1, 0, 0) + "pmx dir: {D} \n0: \\x1b[2J\\x7f.png (=NG=)\n\n" +
             texAsk(1, "YES") + "--- \n0: \\x1b[2J\\x7f.png " + notFound("\\x1b[2J\\x7f.png") + " => OK \n\n" +
             kDialogCancelled,
         {}, " \\x1b[2J\\x7f.png \r\n \r\n not found.  \r\n Please select it on the next dialogue. "
             "(continue:OK) \r\n\nQuorvane [O]K/[C]ancel? \nSearching for:  \\x1b[2J\\x7f.png\n", "",
         [](const string& d) { writeLinkModel(d + "/esc\x1b]0;owned\x07.pmx", {"\x1b[2J\x7f.png"}); }},
        // The one broken link's file under a name garbled as code page 437, renamed: the notice says so.
        {"OneLinkUnderAGarbledNameRenamedSaysSo", 0, "C.UTF-8", {"{O}g1.pmx"}, "y\ny\n",
         kEn + read("g1.pmx", 1, 0, 0) + "pmx dir: {D} \n0: テクスチャ\\髪.png (=NG=)\n\n" + texAsk(1, "YES") +
             " 1 texture link(s) find their files \r\n only under names garbled by unpacking \r\n"
             " with another code page. \r\n \r\n Rename those folders and files \r\n"
             " to the names the model uses? \r\n (No: the links are renewed to the garbled names) (Y/N/Cancel) \r\n" +
             answered("YES") + "--- \n0: テクスチャ\\髪.png (renamed)\n\n Folders and files renamed to the names the model uses. \n",
         {}, "", "", [](const string& d) {
             writeLinkModel(d + "/g1.pmx", {"テクスチャ\\髪.png"});
             fs::create_directories(d + "/âeâNâXâ`ââ");
             iotest::writeFile(d + "/âeâNâXâ`ââ/ö».png", "png"); }},
        // A current folder removed under the program: a relative name is tried as given.
        {"ModelNamedInARemovedCurrentFolder", 2, en, {"m.pmx"}, "",
         kEn + "\nReading from: m.pmx \nCannot open RD file : m.pmx\npmdinforead err -1. \n"
               "pmx dir:  \n\n" + kUnread, {}, "", "{O}side", nullptr, "rmdir {O}side &&"},
        // Rigid-body indices of width 3 (none in the file): in step by chance, no ground for a repair.
        {"IndexWidthOtherThan124IsNoModelReadWholeJa", 2, ja, {"{O}wide.pmx"}, "y\n",
         kJa + read("wide.pmx", 0, 0, 10, true) + kUnreadJa, {}, "", "",
         [](const string& d) {
             pmxtest::PmxRecipe r = armsModel({3, 9});
             r.rigidBodyIndexSize = 3;
             pmxtest::writeFile(d + "/wide.pmx", pmxtest::buildPmx(r));
         }},
        // Standard output on a full disk: said once on standard error, and the run goes on.
        {"ConsoleOnAFullDiskIsTroubleAndTheRunGoesOn", 2, en, {"{O}clean.pmx", "{O}model.pmx"}, "y\n", "",
         {"model-new.pmx"}, "Cannot write console output : No space left on device\n", "", nullptr,
         "sh -c '\"$0\" \"$@\" >/dev/full'"},
        // Another user of a shared folder, acting while the save is under way ({N}): the copy is
        // made from the file read, in the folder it was read from, under its exact name.
        {"FolderSwappedForALinkDuringTheSaveKeepsTheCopyWhereTheModelWasRead", 0, en, {"{O}pub/model.pmx"},
         "y\n", kPub + saved("model.pmx", "model-new.pmx"), {"moved/model-new.pmx", "mine/model-new.pmx"},
         "neighbour: swap", "", [](const string& d) { iotest::writeFile(d + "/mine/model-new.pmx", ""); },
         "{N} swap {O}pub model.pmx {O}moved {O}mine --"},
        {"ModelSwappedForALinkToAPrivateFileOfItsSizeAndTimeIsNotCopied", 2, en, {"{O}pub/model.pmx"}, "y\n",
         kPub + "Reading from: model.pmx \nWriting to  : model-new.pmx \nSource changed since read : {D}pub/model.pmx\n"
                "New PMX save failed. \n", {}, "neighbour: link", "", [](const string& d) {
             iotest::writeFile(d + "/private", string(fs::file_size(d + "/pub/model.pmx"), 'p'));
             fs::permissions(d + "/private", fs::perms::owner_read | fs::perms::owner_write);
             fs::last_write_time(d + "/pub/model.pmx", fs::last_write_time(d + "/private"));
         }, "{N} link {O}pub/model.pmx {O}private --"},
        {"CopyNeverReplacesAFileNamedInAnotherCase", 0, en, {"{O}model.pmx"}, "y\n",
         kEn + twist("model.pmx", "YES") + saved("model.pmx", "model-new.pmx"), {"model-new.pmx", "Model-new.pmx"},
         "", "", [](const string& d) { iotest::writeFile(d + "/Model-new.pmx", ""); }},

        // Windows alone. A device opens as a file does (NUL reads nothing, CON would wait for the
        // keyboard); only a disk file is read as a model.
        wine("Return", {"DeviceNamedAsTheModelIsRefused", 2, "en", {"NUL"}, "",
                        kEn + "\nReading from: \\\\.\\NUL \nCannot open RD file : \\\\.\\NUL\npmdinforead err -1. \n"
                              "pmx dir: \\\\.\\ \n\n" + kUnread, {}}),
        // A temporary file an interrupted run left stays as it was (CREATE_NEW never opens it).
        wine("y|Return", {"TemporaryFileLeftInTheFolderIsPassedOver", 0, "en", {"{O}model.pmx"}, "",
                          kEn + twist("model.pmx", "YES") + saved("model.pmx", "model-new.pmx"), {"model-new.pmx"}, "",
                          "", [](const string& d) { iotest::writeFile(d + "/model-new.pmx.tmp", "old"); }}),
        // The question names the file as the folder stores it.
        wine("n|Return", {"TwistAnsweredNoForAModelNamedInOtherLetters", 1, "en", {"{O}MODEL.PMX"}, "",
                          kEn + read("MODEL.PMX", 0, 0, 10) + twistAsk("model.pmx", "NO") + "pmx dir: {D} \n\n" +
                              kNothing, {}}),
        // The argument arrives in code page 932, the dialog takes a typed Japanese path, and the
        // copy is saved under a Japanese name; the box shows the text in the code page's characters.
        Scenario{"JapaneseNamesRepairedInJapaneseMode", 0, "ja", {"{O}ja/モデル.pmx"}, "",
                 kJa + read("ja{/}モデル.pmx", 1, 1, 0, true) + kJaLink + texAsk(1, "YES", "モデル.pmx") +
                     "--- \n0: テクスチャ\\髪.png \n" + kJaNotFound + " => OK \n\n => (renew) 表\\髪.png \n\n" +
                     saved("モデル.pmx", "モデル-new.pmx", true), {"ja/モデル-new.pmx"}, "", "", nullptr, "",
                 "y|Return|Searching for:  テクスチャ\\髪.png=type:{O}ja\\表\\髪.png|Return", kJaNotFound},
        // English texts on a Japanese system: the continue prompt, composed in UTF-8, names the
        // Japanese file; the box must show that name, not the UTF-8 bytes read as code page 932.
        Scenario{"JapaneseFileNameInAnEnglishBoxOnAJapaneseSystem", 1, "en932", {"{O}ja/モデル.pmx"}, "",
                 kEn + read("ja{/}モデル.pmx", 1, 1, 0) + kJaLink + texAsk(1, "YES") + "--- \n0: テクスチャ\\髪.png {8}" +
                     notFound("髪.png") + "{8} => Cancel \n\n", {}, "", "", nullptr, "", "y|Escape",
                 notFound("髪.png").substr(1)},
        // A Western system (code page 1252): names in Japanese and Chinese are found through the
        // wide calls. The program's own lines show them as "?"; the texts composed in UTF-8 as
        // they are.
        Scenario{"NamesOfAnyScriptOnAWesternSystem", 0, "enus", {"{O}モデル/モデル.pmx"}, "",
                 kEn + read("?\?\?{/}?\?\?.pmx", 3, 0, 10) + twistAsk("モデル.pmx", "YES") +
                     "pmx dir: {D}?\?\?{/} \n0: ?\?\?\?\?\\?.png (ok)\n1: ?.png (ok)\n2: ?\?\\?.png (ok)\n\nReading from: ?\?\?.pmx \n"
                     "Writing to  : ?\?\?-new.pmx \n\nSave OK. \n\n" + kSavedWestern + "\n", {"モデル/モデル-new.pmx"}, "", "",
                 nullptr, "", "y|Return", kSavedWestern},
        // Last, as it leaves the prefix on Windows 10: only RtlGetVersion gives its numbers.
        wine("", {"VersionLineFromRtlGetVersionOnWindows10", 2, "win10", {"-D0"}, "",
                  kEn + "Info.displayLevel = 0. \n" + kUsageLines, {}}),
    };
}

// Ten arm and twist bones, arm -> elbow -> wrist along (+-0.6, -0.8, 0) from (+-1, 10, 0), each
// twist bone half way along its segment and its axis on its line but those of the `bent` bones
// (3 left arm, 4 left wrist, 8 right arm, 9 right wrist), which hold (0, 0, 1).
pmxtest::PmxRecipe armsModel(std::initializer_list<std::size_t> bent) {
    pmxtest::PmxRecipe r;
    r.modelName = "テスト";
    r.modelNameEnglish = "test";
    for (const float m : {1.0f, -1.0f}) {
        const string ja = m > 0 ? "左" : "右", en = m > 0 ? "_L" : "_R";
        r.bones.push_back(pmxtest::plainBone(ja + "腕", "arm" + en, {m, 10, 0}));
        r.bones.push_back(pmxtest::plainBone(ja + "ひじ", "elbow" + en, {4 * m, 6, 0}));
        r.bones.push_back(pmxtest::plainBone(ja + "手首", "wrist" + en, {7 * m, 2, 0}));
        r.bones.push_back(pmxtest::twistBone(ja + "腕捩", "arm twist" + en, {0.6f * m, -0.8f, 0}, {2.5f * m, 8, 0}));
        r.bones.push_back(pmxtest::twistBone(ja + "手捩", "wrist twist" + en, {0.6f * m, -0.8f, 0}, {5.5f * m, 4, 0}));
    }
    for (std::size_t bone : bent) r.bones[bone].fixedAxis = {0.0f, 0.0f, 1.0f};
    return r;
}

string bytesOf(const pmxtest::PmxRecipe& recipe) {
    const std::vector<std::uint8_t> bytes = pmxtest::buildPmx(recipe);
    return string(bytes.begin(), bytes.end());
}

// The models every scenario starts from.
// Image files (any bytes) at `names`, with their folders.
void Models::images(std::initializer_list<const char*> names) {
    for (const char* image : names) {
        fs::create_directories(fs::path(file(image)).parent_path());
        iotest::writeFile(file(image), "png");
    }
}
void Models::add(const string& name, const pmxtest::PmxRecipe& recipe) {
    fs::create_directories(fs::path(file(name)).parent_path());
    iotest::writeFile(file(name), sources[name] = bytesOf(recipe));
}
// Writes `name` (linking `textures` alone, when given) and gives the bytes of its copy: the same
// model linking `renewed`.
string Models::addTextures(const string& name, pmxtest::PmxRecipe recipe, const char* textures,
                           const std::vector<string>& renewed) {
    if (textures != nullptr) recipe.textures = {textures};
    add(name, recipe);
    recipe.textures = renewed;
    return bytesOf(recipe);
}
Models::Models(const string& folder) : base(folder.empty() ? tmp.path() : folder) {
    fs::create_directories(base);
    root = fs::canonical(base).string();
    for (const char* name : {"model.pmx", "twice.pmx", "ro/model.pmx"}) add(name, armsModel({3, 9}));
    pmxtest::PmxRecipe big = armsModel({3, 9}); // its copy is larger than a few KiB
    for (int i = 0; i < 1000; ++i) big.bones.push_back(pmxtest::plainBone("b", "b", {}));
    add("big.pmx", big);
    // The left arm twist (bone 3) and the right wrist twist (bone 9) corrected: the bytes of the
    // model never bent.
    const string fixed = bytesOf(armsModel({}));
    copies["model-new.pmx"] = copies["twice-new.pmx"] = copies["moved/model-new.pmx"] = fixed;
    pmxtest::PmxRecipe tex = armsModel({});
    tex.bones.clear();
    tex.textures = {"tex\\a.png", "ok.png", "tex\\b.png"};
    tex.materials.resize(1);
    tex.materials[0].texture = 0;
    tex.materials[0].sphereTexture = 2;
    tex.materials[0].sphereMode = 1;
    const std::vector<string> renewed = {"img\\a.png", "ok.png", "img\\b.png"};
    copies["tex-new.pmx"] = addTextures("tex.pmx", tex, nullptr, renewed);
    copies["dir/tex-new.pmx"] = addTextures("dir/tex.pmx", tex, nullptr, renewed);
    // Its files moved below x/tex/, beside y/a.png.
    copies["two/tex-new.pmx"] = addTextures("two/tex.pmx", tex, nullptr, {"x\\tex\\a.png", "ok.png", "x\\tex\\b.png"});
    images({"two/ok.png", "two/x/tex/a.png", "two/x/tex/b.png", "two/y/a.png"});
    // モデル.pmx and its textures with names decomposed, in other cases.
    tex.textures = {"テクスチャ\\ガイド.png", "パーツ\\é.png", "old\\ガイド.png"};
    const std::vector<string> guide = {"テクスチャ\\ガイド.png", "パーツ\\é.png", "img\\ガイド.png"};
    copies["nfd/モデル-new.pmx"] = addTextures("nfd/モテ\u3099ル.pmx", tex, nullptr, guide);
    images({"nfd/テクスチャ/カ\u3099イト\u3099.PNG", "nfd/ハ\u309Aーツ/e\u0301.PNG",
                              "nfd/img/カ\u3099イト\u3099.png"});
    tex.textures = {"toon09.bmp", "toon11.bmp", "tex\\toon01.bmp", "颜.png", "face01.bmp"};
    add("toons/u.pmx", tex);
    tex.textures = {"tex\\a.png", "ok.png", "tex\\b.png"};
    tex.encoding = 1;
    tex.modelName = "mdl"; // keeps the converter's echo short
    copies["tex8-new.pmx"] = addTextures("tex8.pmx", tex, nullptr, renewed);
    addTextures("clean.pmx", armsModel({}), "ok.png", {});
    // Folders of others and the user's own; pub/model.pmx is no checked source: it is replaced.
    for (const char* name : {"side", "pub", "mine"}) fs::create_directories(file(name));
    fs::copy_file(file("model.pmx"), file("pub/model.pmx"));
    images({"img/a.png", "img/b.png", "ok.png", "dir/img/a.png", "dir/img/b.png", "dir/ok.png"});
    iotest::writeFile(file("bad.pmx"), "PMD file");
    // A Japanese model whose file moved to 表/ (its Shift-JIS name ends in the byte of a
    // backslash), and a bent one whose links name files in Japanese and Chinese.
    tex.textures = {"テクスチャ\\髪.png"};
    tex.encoding = 0;
    tex.modelName = "テスト";
    tex.materials[0].sphereTexture = -1;
    copies["ja/モデル-new.pmx"] = addTextures("ja/モデル.pmx", tex, nullptr, {"表\\髪.png"});
    pmxtest::PmxRecipe scripts = armsModel({});
    scripts.textures = {"テクスチャ\\髪.png", "瞳.png", "贴图\\脸.png"};
    copies["モデル/モデル-new.pmx"] = bytesOf(scripts);
    scripts.bones[3].fixedAxis = scripts.bones[9].fixedAxis = {0.0f, 0.0f, 1.0f};
    add("モデル/モデル.pmx", scripts);
    images({"ja/表/髪.png", "モデル/テクスチャ/髪.png", "モデル/瞳.png", "モデル/贴图/脸.png"});
}
// The program to run: as another user ("{U}"), a copy in the scenario's folder, which that
// user can reach wherever the build lies (a checkout below /root, or in a private mktemp -d).
string Models::program(const string& shell) const {
    const string built = std::getenv("QV_BINARY");
    if (shell.find("{U}") == string::npos || geteuid() != 0) return built;
    const string copy = root + "/bin/quorvane";
    fs::create_directories(root + "/bin");
    fs::copy_file(built, copy, fs::copy_options::overwrite_existing);
    const auto open = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                      fs::perms::others_read | fs::perms::others_exec;
    for (const string& path : {root, root + "/bin", copy}) fs::permissions(path, open);
    return copy;
}
// `text` with "{O}" as the folder (ending in "/"), "{R}" as the folder without it, "{F}" as
// a path in the folder long enough to leave the argument
// pool room for "{O}model.pmx" alone, and "{U}" as the words that run the program as a user
// whom permissions bind (nothing when the tests run as such a user), and "{N}" as the
// neighbour in a shared folder (neighbour.py).
string Models::fill(string text) const {
    if (text.find("{F}") != string::npos) {
        const std::size_t program = std::strlen(std::getenv("QV_BINARY"));
        const std::size_t filler = kArgumentTextLimit - 2 - program - (root + "/model.pmx").size();
        replaceAll(&text, "{F}", root + "/" + string(filler - root.size() - 1, 'f'));
    }
    replaceAll(&text, "{O}", root + "/");
    replaceAll(&text, "{R}", root);
    replaceAll(&text, "{U}", geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "");
    replaceAll(&text, "{N}", string("python3 ") + QV_SOURCE_DIR + "/tests/e2e/neighbour.py");
    return text;
}

} // namespace e2e
