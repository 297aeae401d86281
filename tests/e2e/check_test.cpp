// Whole runs of `quorvane --check` (QV_BINARY) over a tree of models, from a shell with standard
// input closed, compared with hand-written reports: for people, and JSON Lines read by Python's
// json module (strictly: every line UTF-8, no NaN). The tree must not change.
#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>

#include "tests/support/io_test_files.h"
#include "tests/support/pmx_builder.h"

namespace {

namespace fs = std::filesystem;
using std::string;

// Arms along (+-0.6, -0.8, 0) from (+-1, 10, 0), as in the transcripts; `bent` twist bones
// (3 left arm, 9 right wrist) hold the axis (0, 0, 1) instead.
pmxtest::PmxRecipe arms(bool bent) {
    using pmxtest::plainBone;
    using pmxtest::twistBone;
    pmxtest::PmxRecipe r;
    r.bones = {
        plainBone("左腕", "arm_L", {1, 10, 0}),
        plainBone("左ひじ", "elbow_L", {4, 6, 0}),
        plainBone("左手首", "wrist_L", {7, 2, 0}),
        twistBone("左腕捩", "arm twist_L", {0.6f, -0.8f, 0}, {2.5f, 8, 0}),
        twistBone("左手捩", "wrist twist_L", {0.6f, -0.8f, 0}, {5.5f, 4, 0}),
        plainBone("右腕", "arm_R", {-1, 10, 0}),
        plainBone("右ひじ", "elbow_R", {-4, 6, 0}),
        plainBone("右手首", "wrist_R", {-7, 2, 0}),
        twistBone("右腕捩", "arm twist_R", {-0.6f, -0.8f, 0}, {-2.5f, 8, 0}),
        twistBone("右手捩", "wrist twist_R", {-0.6f, -0.8f, 0}, {-5.5f, 4, 0}),
    };
    if (bent) r.bones[3].fixedAxis = r.bones[9].fixedAxis = {0, 0, 1};
    return r;
}

const string kLongName = string(240, 'n') + ".pmx";

// The tree of the issue: a clean model, a bent one, broken and case-mismatched links, a 2.1
// model (its name holding a byte that is no UTF-8), one cut after its bones and one that is no
// PMX file; and what must not be taken for a model.
struct Tree {
    iotest::TempFolder tmp;
    std::int32_t cutAt = 0;

    void add(const string& name, const pmxtest::PmxRecipe& recipe, pmxtest::PmxLayout* layout = nullptr) {
        pmxtest::writeFile(tmp.file(name), pmxtest::buildPmx(recipe, layout));
    }
    Tree() {
        fs::create_directories(tmp.file("tree/links/tex"));
        add("tree/bent.pmx", arms(true));
        pmxtest::PmxRecipe r = arms(false);
        r.textures = {"ok.png"};
        add("tree/clean.pmx", r);
        pmxtest::PmxLayout layout;
        add("tree/cut.pmx", r, &layout);
        cutAt = layout.morphSection;
        fs::resize_file(tmp.file("tree/cut.pmx"), static_cast<std::uintmax_t>(cutAt));
        r = arms(false);
        r.version = 2.1f;
        r.encoding = 1;
        r.trailing.assign(100, 0x5A);
        add("tree/v21-\xE9.pmx", r);
        r = pmxtest::PmxRecipe();
        r.textures = {"gone.png", "TEX\\Hair.PNG", "toon01.bmp"};
        add("tree/links/links.pmx", r);
        // gone.png, the one broken link of its model, moved into old/.
        fs::create_directories(tmp.file("tree/links/old"));
        for (const char* file : {"tree/ok.png", "tree/links/tex/hair.png", "tree/notes.txt", "tree/links/old/gone.png"})
            iotest::writeFile(tmp.file(file), "png");
        iotest::writeFile(tmp.file("tree/NOTPMX.PMX"), "PMD file");
        // Beside the tree: models the reader cannot take, one of 2 GiB (sparse), one whose full
        // path is longer than a path buffer holds.
        fs::create_directories(tmp.file("other"));
        iotest::writeFile(tmp.file("other/huge.pmx"), "PMX ");
        fs::resize_file(tmp.file("other/huge.pmx"), std::uintmax_t{1} << 31);
        iotest::writeFile(tmp.file("other/" + kLongName), "PMX ");
        // Beside it too: a model whose files moved, or were unpacked as code page 437 or raw
        // Shift-JIS (表 ends in the byte of a backslash: that name can only be renamed), and a
        // link to a folder, which is no file, garbled or not; and a file found in two folders that
        // end alike, which none is offered.
        r = pmxtest::PmxRecipe();
        r.textures = {"tex\\a.png", "テクスチャ\\髪.png", "表\\顔.png", "textures", "tie\\c.png"};
        for (const char* folder : {"found/textures", "found/âeâNâXâ`ââ", "found/\x95\\", "found/x", "found/y"})
            fs::create_directories(tmp.file(folder));
        add("found/found.pmx", r);
        for (const char* file : {"found/textures/a.png", "found/âeâNâXâ`ââ/ö».png", "found/\x95\\/\x8A\xE7.png",
                                 "found/x/c.png", "found/y/c.png"})
            iotest::writeFile(tmp.file(file), "png");
    }
    // Every name, kind and byte below the folder, in one text.
    string digest() const {
        std::map<string, string> entries;
        for (const auto& entry : fs::recursive_directory_iterator(tmp.file("tree"))) {
            const string name = fs::relative(entry.path(), tmp.path()).string();
            entries[name] = entry.is_symlink()     ? "->" + fs::read_symlink(entry.path()).string()
                             : entry.is_directory() ? "/"
                                                    : iotest::readFile(entry.path().string());
        }
        string all;
        for (const auto& e : entries) all += e.first + "\n" + std::to_string(e.second.size()) + "\n" + e.second;
        return all;
    }
};

// Runs the program in `cwd` with standard input closed; its exit status, output and errors.
int check(const string& cwd, const string& locale, const string& args, string* out, string* err) {
    const string command = "cd '" + cwd + "' && env -i LC_ALL=" + locale + " '" + std::getenv("QV_BINARY") + "' " +
                           args + " <&- >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    *out = iotest::readFile(cwd + "/out.txt");
    *err = iotest::readFile(cwd + "/err.txt");
    fs::remove(cwd + "/out.txt");
    fs::remove(cwd + "/err.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// JSON Lines as Python reads them, one canonical line each; "<invalid>" when a line is not
// UTF-8, not JSON, or holds NaN or Infinity.
string canonicalJson(const string& cwd, const string& lines) {
    iotest::writeFile(cwd + "/lines.json", lines);
    const string script =
        "import json, sys\n"
        "def refuse(c): raise ValueError(c)\n"
        "try:\n"
        "    for raw in open(sys.argv[1], 'rb').read().split(b'\\n')[:-1]:\n"
        "        print(json.dumps(json.loads(raw.decode('utf-8'), parse_constant=refuse), sort_keys=True))\n"
        "except ValueError:\n"
        "    print('<invalid>')\n";
    iotest::writeFile(cwd + "/canonical.py", script);
    const string command = "python3 '" + cwd + "/canonical.py' '" + cwd + "/lines.json' >'" + cwd + "/canonical.txt'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return iotest::readFile(cwd + "/canonical.txt");
}

// The report for people, one block per model.
const string kTwistsOk =
    "  twist   left arm twist     ok          stored (0.600, -0.800, 0.000), corrected (0.600, -0.800, 0.000), 0.00 degrees\n"
    "  twist   left wrist twist   ok          stored (0.600, -0.800, 0.000), corrected (0.600, -0.800, 0.000), 0.00 degrees\n"
    "  twist   right arm twist    ok          stored (-0.600, -0.800, 0.000), corrected (-0.600, -0.800, 0.000), 0.00 degrees\n"
    "  twist   right wrist twist  ok          stored (-0.600, -0.800, 0.000), corrected (-0.600, -0.800, 0.000), 0.00 degrees\n";
const string kNotPmx = "tree/NOTPMX.PMX\n  read    not a PMX file: byte 3 is 0x44\n  result  unreadable\n\n";
const string kBent =
    "tree/bent.pmx\n  read    version 2.00, UTF-16LE, read whole\n"
    "  counts  0 vertices, 0 faces, 0 textures, 0 materials, 10 bones, 0 morphs, 0 display frames, 0 rigid bodies, 0 joints\n"
    "  twist   left arm twist     off         stored (0.000, 0.000, 1.000), corrected (0.600, -0.800, 0.000), 90.00 degrees\n"
    "  twist   left wrist twist   ok          stored (0.600, -0.800, 0.000), corrected (0.600, -0.800, 0.000), 0.00 degrees\n"
    "  twist   right arm twist    ok          stored (-0.600, -0.800, 0.000), corrected (-0.600, -0.800, 0.000), 0.00 degrees\n"
    "  twist   right wrist twist  off         stored (0.000, 0.000, 1.000), corrected (-0.600, -0.800, 0.000), 90.00 degrees\n"
    "  result  2 finding(s)\n\n";
const string kClean =
    "tree/clean.pmx\n  read    version 2.00, UTF-16LE, read whole\n"
    "  counts  0 vertices, 0 faces, 1 textures, 0 materials, 10 bones, 0 morphs, 0 display frames, 0 rigid bodies, 0 joints\n" +
    kTwistsOk + "  link 0  ok           ok.png\n  result  clean\n\n";
string cut(std::int32_t at) {
    return "tree/cut.pmx\n  read    version 2.00, UTF-16LE, the file ends after " + std::to_string(at) +
           " bytes, at the morph count\n  counts  0 vertices, 0 faces, 1 textures, 0 materials, 10 bones\n" + kTwistsOk +
           "  link 0  ok           ok.png\n  result  unreadable\n\n";
}
const string kLinks =
    "tree/links/links.pmx\n  read    version 2.00, UTF-16LE, read whole\n"
    "  counts  0 vertices, 0 faces, 3 textures, 0 materials, 0 bones, 0 morphs, 0 display frames, 0 rigid bodies, 0 joints\n"
    "  twist   left arm twist     not found\n  twist   left wrist twist   not found\n"
    "  twist   right arm twist    not found\n  twist   right wrist twist  not found\n"
    "  link 0  broken       gone.png: moved to old\\gone.png\n  link 1  ok           TEX\\Hair.PNG\n"
    "  link 2  shared toon  toon01.bmp\n  result  1 finding(s)\n\n";
// The name's byte 0xE9 is no character a Shift-JIS console can show.
const string kV21 =
    "tree/v21-?.pmx\n  read    version 2.10, UTF-8, read whole, 100 bytes after the joints\n"
    "  counts  0 vertices, 0 faces, 0 textures, 0 materials, 10 bones, 0 morphs, 0 display frames, 0 rigid bodies, 0 joints\n" +
    kTwistsOk + "  result  clean\n\n";
const string kTally = "6 model(s) checked: 2 clean, 2 with findings, 2 unreadable\n";
const string kNoTwists = "  twist   left arm twist     not found\n  twist   left wrist twist   not found\n"
                         "  twist   right arm twist    not found\n  twist   right wrist twist  not found\n";
const string kFound =
    "found/found.pmx\n  read    version 2.00, UTF-16LE, read whole\n"
    "  counts  0 vertices, 0 faces, 5 textures, 0 materials, 0 bones, 0 morphs, 0 display frames, 0 rigid bodies, 0 joints\n" +
    kNoTwists + "  link 0  broken       tex\\a.png: moved to textures\\a.png\n"
    "  link 1  broken       テクスチャ\\髪.png: garbled as code page 437: âeâNâXâ`ââ\\ö».png\n"
    "  link 2  broken       表\\顔.png: garbled as raw bytes\n  link 3  broken       textures: needs a pick\n"
    "  link 4  broken       tie\\c.png: needs a pick\n  result  5 finding(s)\n\n"
    "1 model(s) checked: 0 clean, 1 with findings, 0 unreadable\n";

// The JSON Lines, by hand.
const string kOkTwist = R"("found":true,"verdict":"ok","reason":null,"angle":0.0)";
string okTwists() {
    return R"([{"slot":"left arm twist",)" + kOkTwist + R"(,"stored":[0.6,-0.8,0],"corrected":[0.6,-0.8,0]},)"
           R"({"slot":"left wrist twist",)" + kOkTwist + R"(,"stored":[0.6,-0.8,0],"corrected":[0.6,-0.8,0]},)"
           R"({"slot":"right arm twist",)" + kOkTwist + R"(,"stored":[-0.6,-0.8,0],"corrected":[-0.6,-0.8,0]},)"
           R"({"slot":"right wrist twist",)" + kOkTwist + R"(,"stored":[-0.6,-0.8,0],"corrected":[-0.6,-0.8,0]}])";
}
string counts(int textures, int bones, bool whole = true) {
    const string after = whole ? "0" : "null";
    return R"({"vertices":0,"faces":0,"textures":)" + std::to_string(textures) + R"(,"materials":0,"bones":)" +
           std::to_string(bones) + R"(,"morphs":)" + after + R"(,"display_frames":)" + after +
           R"(,"rigid_bodies":)" + after + R"(,"joints":)" + after + "}";
}
string read(const string& version, const string& encoding, const string& stop, int after, const string& counts) {
    return R"("read":{"version":)" + version + R"(,"encoding":)" + encoding + R"(,"whole":)" +
           (stop == "null" ? "true" : "false") + R"(,"stop":)" + stop + R"(,"out_of_step":null,"bytes_after_joints":)" +
           (after < 0 ? "null" : std::to_string(after)) + R"(,"counts":)" + counts;
}
string model(const string& path, const string& status, int findings, const string& read, const string& twists,
             const string& links) {
    return R"({"format":1,"type":"model","path":")" + path + R"(","status":")" + status + R"(","findings":)" +
           std::to_string(findings) + "," + read + R"(},"twists":)" + twists + R"(,"links":)" + links +
           R"(,"links_not_checked":0})" + "\n";
}
const string kOkLink = R"([{"index":0,"link":"ok.png","verdict":"present","repair":null,"candidate":null}])";
string jsonLines(std::int32_t cutAt) {
    const string notFound = R"("found":false,"verdict":"not_found","reason":null,"stored":null,"corrected":null,"angle":null})";
    return model("tree/links/links.pmx", "findings", 1, read("2", R"("UTF-16LE")", "null", 0, counts(3, 0)),
                 R"([{"slot":"left arm twist",)" + notFound + R"(,{"slot":"left wrist twist",)" + notFound +
                     R"(,{"slot":"right arm twist",)" + notFound + R"(,{"slot":"right wrist twist",)" + notFound + "]",
                 R"([{"index":0,"link":"gone.png","verdict":"broken","repair":"needs_pick","candidate":{"path":"old\\gone.png","how":"moved"}},)"
                 R"({"index":1,"link":"TEX\\Hair.PNG","verdict":"present","repair":null,"candidate":null},)"
                 R"({"index":2,"link":"toon01.bmp","verdict":"shared_toon","repair":null,"candidate":null}])") +
           model("tree/bent.pmx", "findings", 2, read("2", R"("UTF-16LE")", "null", 0, counts(0, 10)),
                 R"([{"slot":"left arm twist","found":true,"verdict":"off","reason":null,"angle":90.0,)"
                 R"("stored":[0,0,1],"corrected":[0.6,-0.8,0]},)"
                 R"({"slot":"left wrist twist",)" + kOkTwist + R"(,"stored":[0.6,-0.8,0],"corrected":[0.6,-0.8,0]},)"
                 R"({"slot":"right arm twist",)" + kOkTwist + R"(,"stored":[-0.6,-0.8,0],"corrected":[-0.6,-0.8,0]},)"
                 R"({"slot":"right wrist twist","found":true,"verdict":"off","reason":null,"angle":90.0,)"
                 R"("stored":[0,0,1],"corrected":[-0.6,-0.8,0]}])", "[]") +
           model("tree/NOTPMX.PMX", "unreadable", 0,
                 read("null", "null",
                      R"({"reason":"not_pmx","section":"header","record":null,"value":68,"offset":3})", -1, "null"),
                 "[]", "[]") +
           model("tree/clean.pmx", "clean", 0, read("2", R"("UTF-16LE")", "null", 0, counts(1, 10)), okTwists(), kOkLink) +
           model("tree/cut.pmx", "unreadable", 0,
                 read("2", R"("UTF-16LE")",
                      R"({"reason":"file_ended","section":"morphs","record":null,"value":null,"offset":)" +
                          std::to_string(cutAt) + "}",
                      -1, counts(1, 10, false)),
                 okTwists(), kOkLink) +
           model(R"(tree/v21-\udce9.pmx)", "clean", 0, read("2.1", R"("UTF-8")", "null", 100, counts(0, 10)),
                 okTwists(), "[]") +
           R"({"format":1,"type":"summary","models":6,"clean":2,"with_findings":2,"unreadable":2,"errors":2,"status":2})"
           "\n";
}

string foundJson(std::int32_t) {
    const string notFound = R"("found":false,"verdict":"not_found","reason":null,"stored":null,"corrected":null,"angle":null})";
    return model("found/found.pmx", "findings", 5, read("2", R"("UTF-16LE")", "null", 0, counts(5, 0)),
                 R"([{"slot":"left arm twist",)" + notFound + R"(,{"slot":"left wrist twist",)" + notFound +
                     R"(,{"slot":"right arm twist",)" + notFound + R"(,{"slot":"right wrist twist",)" + notFound + "]",
                 R"([{"index":0,"link":"tex\\a.png","verdict":"broken","repair":"needs_pick",)"
                 R"("candidate":{"path":"textures\\a.png","how":"moved"}},)"
                 R"({"index":1,"link":"テクスチャ\\髪.png","verdict":"broken","repair":"rename",)"
                 R"("candidate":{"path":"âeâNâXâ`ââ\\ö».png","how":"cp437"}},)"
                 R"({"index":2,"link":"表\\顔.png","verdict":"broken","repair":"rename","candidate":{"path":null,"how":"raw"}},)"
                 R"({"index":3,"link":"textures","verdict":"broken","repair":"needs_pick","candidate":null},)"
                 R"({"index":4,"link":"tie\\c.png","verdict":"broken","repair":"needs_pick","candidate":null}])") +
           R"({"format":1,"type":"summary","models":1,"clean":0,"with_findings":1,"unreadable":0,"errors":0,"status":1})"
           "\n";
}

// The Japanese report of the bent model, the link model and the file that is no PMX.
const string kJa =
    "tree/bent.pmx\n  読み込み  バージョン 2.00, UTF-16LE, 全体を読み込み\n"
    "  件数      頂点 0, 面 0, テクスチャ 0, 材質 0, ボーン 10, モーフ 0, 表示枠 0, 剛体 0, ジョイント 0\n"
    "  捩り      左腕捩  不一致    設定値 (0.000, 0.000, 1.000), 修正値 (0.600, -0.800, 0.000), 90.00 度\n"
    "  捩り      左手捩  一致      設定値 (0.600, -0.800, 0.000), 修正値 (0.600, -0.800, 0.000), 0.00 度\n"
    "  捩り      右腕捩  一致      設定値 (-0.600, -0.800, 0.000), 修正値 (-0.600, -0.800, 0.000), 0.00 度\n"
    "  捩り      右手捩  不一致    設定値 (0.000, 0.000, 1.000), 修正値 (-0.600, -0.800, 0.000), 90.00 度\n"
    "  結果      指摘 2 件\n\n"
    "tree/links/links.pmx\n  読み込み  バージョン 2.00, UTF-16LE, 全体を読み込み\n"
    "  件数      頂点 0, 面 0, テクスチャ 3, 材質 0, ボーン 0, モーフ 0, 表示枠 0, 剛体 0, ジョイント 0\n"
    "  捩り      左腕捩  なし\n  捩り      左手捩  なし\n  捩り      右腕捩  なし\n  捩り      右手捩  なし\n"
    "  リンク 0  破損          gone.png: 移動先: old\\gone.png\n  リンク 1  あり          TEX\\Hair.PNG\n"
    "  リンク 2  共有トゥーン  toon01.bmp\n  結果      指摘 1 件\n\n"
    "tree/NOTPMX.PMX\n  読み込み  PMX ファイルではありません: 3 バイト目が 0x44\n  結果      読み込めず\n\n"
    "検査したモデル 3 個: 問題なし 0, 指摘あり 2, 読み込めず 1, エラー 1\n";

// `utf8` in code page 932, converted by the C library's iconv (not by the program).
string shiftJis(string utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    string out(utf8.size() * 2 + 4, '\0');
    char *in = &utf8[0], *to = &out[0];
    std::size_t inLeft = utf8.size(), outLeft = out.size();
    iconv(cd, &in, &inLeft, &to, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

struct CheckRun {
    const char* name;
    string args;
    std::function<string(std::int32_t)> report; // from where the cut model ends
    string errors;
    string locale = "C";
    int status = 2;
};

void PrintTo(const CheckRun& run, std::ostream* os) { *os << run.name; }

class Check : public testing::TestWithParam<CheckRun> {};

TEST_P(Check, ReportsEveryFindingAsksNothingAndChangesNothing) {
    ASSERT_NE(std::getenv("QV_BINARY"), nullptr) << "QV_BINARY is not set";
    const CheckRun& run = GetParam();
    Tree tree;
    const string before = tree.digest();
    string out, err;
    EXPECT_EQ(check(tree.tmp.path(), run.locale, run.args, &out, &err), run.status);
    const bool ja = run.locale == "ja_JP.SJIS";
    // Standard error holds the errors and nothing else: no prompt, so nothing was asked.
    EXPECT_EQ(err, ja ? shiftJis(run.errors) : run.errors);
    if (run.args.find("--json") == string::npos) {
        EXPECT_EQ(out, ja ? shiftJis(run.report(tree.cutAt)) : run.report(tree.cutAt));
    } else {
        const string got = canonicalJson(tree.tmp.path(), out);
        EXPECT_EQ(got, canonicalJson(tree.tmp.path(), run.report(tree.cutAt)));
        EXPECT_EQ(got.find("<invalid>"), string::npos) << out;
    }
    fs::remove(tree.tmp.file("lines.json"));
    fs::remove(tree.tmp.file("canonical.py"));
    fs::remove(tree.tmp.file("canonical.txt"));
    EXPECT_TRUE(tree.digest() == before);
}

std::vector<CheckRun> runs() {
    return {
        {"Folder", "--check tree",
         [](std::int32_t at) { return kNotPmx + kBent + kClean + cut(at) + kLinks + kV21 + kTally; }, ""},
        {"Files", "--check -- tree/clean.pmx tree/bent.pmx tree/links/links.pmx tree/v21-$(printf '\\351').pmx "
                  "tree/cut.pmx tree/NOTPMX.PMX",
         [](std::int32_t at) { return kClean + kBent + kLinks + kV21 + cut(at) + kNotPmx + kTally; }, ""},
        // A model met again (named, and in the folder) is reported once; a path that names nothing
        // or that the program cannot open as given is an error.
        {"MixedAsJson", "--check --json tree/links tree/bent.pmx tree/gone 'tree/x\\y.pmx' tree", jsonLines,
         "quorvane: tree/gone: no such file or folder\nquorvane: tree/x\\y.pmx: backslash in a file name: left out\n"},
        {"FilesInJapanese", "--check tree/bent.pmx tree/links tree/NOTPMX.PMX tree/gone", [](std::int32_t) { return kJa; },
         "quorvane: tree/gone: ファイルもフォルダもありません\n", "ja_JP.SJIS"},
        {"ModelsTheReaderCannotTakeAreUnreadable", "--check other", [](std::int32_t) {
             return "2 model(s) checked: 0 clean, 0 with findings, 2 unreadable\n"; },
         "quorvane: other/huge.pmx: cannot open\nquorvane: other/" + kLongName + ": path too long\n"},
        // Files of broken links found moved, or under names garbled by an unpacking.
        {"FilesFoundForBrokenLinks", "--check found/found.pmx", [](std::int32_t) { return kFound; }, "", "C.UTF-8", 1},
        {"FilesFoundForBrokenLinksAsJson", "--check --json found/found.pmx", foundJson, "", "C.UTF-8", 1},
        {"UnknownOptionBeforeThePaths", "--check --json --bogus tree", [](std::int32_t) { return ""; },
         "quorvane: unrecognized option '--bogus'\nTry 'quorvane --help' for more information.\n", "C.UTF-8"},
    };
}

INSTANTIATE_TEST_SUITE_P(Tree, Check, testing::ValuesIn(runs()),
                         [](const testing::TestParamInfo<CheckRun>& row) { return string(row.param.name); });

} // namespace
