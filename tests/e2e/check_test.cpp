// Whole runs of `quorvane --check` (QV_BINARY) over a tree of models, from a shell with standard
// input closed, compared with hand-written reports: for people, and JSON Lines read by Python's
// json module (strictly: every line UTF-8, no NaN). The tree must not change.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>

#include "tests/e2e/scenarios.h"

namespace {

namespace fs = std::filesystem;
using std::string;

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
        // gone.png, the one broken link of its model, moved into old/. Beside the tree: a model
        // whose files moved, or were unpacked as
        // code page 437 or raw Shift-JIS (表 ends in the byte of a backslash: that name can only
        // be renamed), a link to a folder, which is no file, garbled or not, and a file found in
        // two folders that end alike, which none is offered (found/).
        for (const char* folder : {"tree/links/tex", "tree/links/old", "found/textures", "found/âeâNâXâ`ââ",
                                   "found/\x95\\", "found/x", "found/y"})
            fs::create_directories(tmp.file(folder));
        add("tree/bent.pmx", e2e::armsModel({3, 9}));
        pmxtest::PmxRecipe r = e2e::armsModel({});
        r.textures = {"ok.png"};
        add("tree/clean.pmx", r);
        pmxtest::PmxLayout layout;
        add("tree/cut.pmx", r, &layout);
        cutAt = layout.morphSection;
        fs::resize_file(tmp.file("tree/cut.pmx"), static_cast<std::uintmax_t>(cutAt));
        r = e2e::armsModel({});
        r.version = 2.1f;
        r.encoding = 1;
        r.trailing.assign(100, 0x5A);
        add("tree/v21-\xE9.pmx", r);
        r = pmxtest::PmxRecipe();
        r.textures = {"gone.png", "TEX\\Hair.PNG", "toon01.bmp"};
        add("tree/links/links.pmx", r);
        r.textures = {"tex\\a.png", "テクスチャ\\髪.png", "表\\顔.png", "textures", "tie\\c.png"};
        add("found/found.pmx", r);
        for (const char* file : {"tree/ok.png", "tree/links/tex/hair.png", "tree/notes.txt", "tree/links/old/gone.png",
                                 "found/textures/a.png", "found/âeâNâXâ`ââ/ö».png", "found/\x95\\/\x8A\xE7.png",
                                 "found/x/c.png", "found/y/c.png"})
            iotest::writeFile(tmp.file(file), "png");
        iotest::writeFile(tmp.file("tree/NOTPMX.PMX"), "PMD file");
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


// JSON Lines as Python reads them, one canonical line each; "<invalid>" when a line is not
// UTF-8, not JSON, or holds NaN or Infinity. Its files lie outside the tree.
string canonicalJson(const string& lines) {
    iotest::TempFolder tmp;
    iotest::writeFile(tmp.file("lines.json"), lines);
    iotest::writeFile(tmp.file("canonical.py"), "import json, sys\n"
                                                "def refuse(c): raise ValueError(c)\n"
                                                "try:\n"
                                                "    for raw in open(sys.argv[1], 'rb').read().split(b'\\n')[:-1]:\n"
                                                "        print(json.dumps(json.loads(raw.decode('utf-8'), "
                                                "parse_constant=refuse), sort_keys=True))\n"
                                                "except ValueError:\n"
                                                "    print('<invalid>')\n");
    const string command = "cd '" + tmp.path() + "' && python3 canonical.py lines.json >canonical.txt";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return iotest::readFile(tmp.file("canonical.txt"));
}

// The twist slots of armsModel(), each ok, off (bent to (0, 0, 1)) or not found; the left ones' axis
// is (0.6, -0.8, 0), the right ones' (-0.6, -0.8, 0).
enum Twist { Ok, Off, None };
const char* const kSlotsPadded[] = {"left arm twist     ", "left wrist twist   ", "right arm twist    ",
                                    "right wrist twist  "};

// The report for people, one block per model.
string twistLines(std::initializer_list<Twist> twists) {
    string all;
    for (int slot = 0; slot < 4; ++slot) {
        const Twist t = twists.begin()[slot];
        const string right = slot < 2 ? "0.600, -0.800, 0.000" : "-0.600, -0.800, 0.000";
        all += string("  twist   ") + kSlotsPadded[slot];
        if (t == None) all += "not found\n";
        if (t == Ok) all += "ok          stored (" + right + "), corrected (" + right + "), 0.00 degrees\n";
        if (t == Off) all += "off         stored (0.000, 0.000, 1.000), corrected (" + right + "), 90.00 degrees\n";
    }
    return all;
}
const string kTwistsOk = twistLines({Ok, Ok, Ok, Ok});
const string kNoTwists = twistLines({None, None, None, None});
string countsLine(int textures, int bones,
                  const string& rest = ", 0 morphs, 0 display frames, 0 rigid bodies, 0 joints") {
    return "  counts  0 vertices, 0 faces, " + std::to_string(textures) + " textures, 0 materials, " +
           std::to_string(bones) + " bones" + rest + "\n";
}
const string kWhole = "  read    version 2.00, UTF-16LE, read whole\n";
const string kNotPmx = "tree/NOTPMX.PMX\n  read    not a PMX file: byte 3 is 0x44\n  result  unreadable\n\n";
const string kBentBlock = kWhole + countsLine(0, 10) + twistLines({Off, Ok, Ok, Off}) + "  result  2 finding(s)\n\n";
const string kBent = "tree/bent.pmx\n" + kBentBlock;
const string kClean = "tree/clean.pmx\n" + kWhole + countsLine(1, 10) + kTwistsOk + "  link 0  ok           ok.png\n"
                      "  result  clean\n\n";
string cut(std::int32_t at) {
    return "tree/cut.pmx\n  read    version 2.00, UTF-16LE, the file ends after " + std::to_string(at) +
           " bytes, at the morph count\n" + countsLine(1, 10, "") + kTwistsOk + "  link 0  ok           ok.png\n"
           "  result  unreadable\n\n";
}
const string kLinks = "tree/links/links.pmx\n" + kWhole + countsLine(3, 0) + kNoTwists +
                      "  link 0  broken       gone.png: moved to old\\gone.png\n  link 1  ok           TEX\\Hair.PNG\n"
                      "  link 2  shared toon  toon01.bmp\n  result  1 finding(s)\n\n";
// The name's byte 0xE9 is no character a Shift-JIS console can show.
const string kV21 = "tree/v21-?.pmx\n  read    version 2.10, UTF-8, read whole, 100 bytes after the joints\n" +
                    countsLine(0, 10) + kTwistsOk + "  result  clean\n\n";
const string kTally = "6 model(s) checked: 2 clean, 2 with findings, 2 unreadable\n";
const string kFound =
    "found/found.pmx\n" + kWhole + countsLine(5, 0) + kNoTwists + "  link 0  broken       tex\\a.png: moved to textures\\a.png\n"
    "  link 1  broken       テクスチャ\\髪.png: garbled as code page 437: âeâNâXâ`ââ\\ö».png\n"
    "  link 2  broken       表\\顔.png: garbled as raw bytes\n  link 3  broken       textures: needs a pick\n"
    "  link 4  broken       tie\\c.png: needs a pick\n  result  5 finding(s)\n\n"
    "1 model(s) checked: 0 clean, 1 with findings, 0 unreadable\n";

// found.pmx's report as JSON Lines, by hand.
const string kFoundJson =
    R"({"format":1,"type":"model","path":"found/found.pmx","status":"findings","findings":5,"read":{"version":2,)"
    R"("encoding":"UTF-16LE","whole":true,"stop":null,"out_of_step":null,"bytes_after_joints":0,"counts":{)"
    R"("vertices":0,"faces":0,"textures":5,"materials":0,"bones":0,"morphs":0,"display_frames":0,"rigid_bodies":0,)"
    R"("joints":0}},"twists":[)"
    R"({"slot":"left arm twist","found":false,"verdict":"not_found","reason":null,"stored":null,"corrected":null,"angle":null},)"
    R"({"slot":"left wrist twist","found":false,"verdict":"not_found","reason":null,"stored":null,"corrected":null,"angle":null},)"
    R"({"slot":"right arm twist","found":false,"verdict":"not_found","reason":null,"stored":null,"corrected":null,"angle":null},)"
    R"({"slot":"right wrist twist","found":false,"verdict":"not_found","reason":null,"stored":null,"corrected":null,"angle":null}],)"
    R"("links":[{"index":0,"link":"tex\\a.png","verdict":"broken","repair":"needs_pick",)"
    R"("candidate":{"path":"textures\\a.png","how":"moved"}},)"
    R"({"index":1,"link":"テクスチャ\\髪.png","verdict":"broken","repair":"rename",)"
    R"("candidate":{"path":"âeâNâXâ`ââ\\ö».png","how":"cp437"}},)"
    R"({"index":2,"link":"表\\顔.png","verdict":"broken","repair":"rename","candidate":{"path":null,"how":"raw"}},)"
    R"({"index":3,"link":"textures","verdict":"broken","repair":"needs_pick","candidate":null},)"
    R"({"index":4,"link":"tie\\c.png","verdict":"broken","repair":"needs_pick","candidate":null}],"links_not_checked":0})"
    "\n"
    R"({"format":1,"type":"summary","models":1,"clean":0,"with_findings":1,"unreadable":0,"errors":0,"status":1})"
    "\n";

struct CheckRun {
    const char* name;
    string args;
    std::function<string(std::int32_t)> report; // from where the cut model ends
    string errors;
    string locale = "C";
    int status = 2;
    string setup = ""; // a command that runs the program, from the tree's folder
};

void PrintTo(const CheckRun& run, std::ostream* os) { *os << run.name; }

// Runs the program in `cwd` with standard input closed; its exit status, output and errors. A
// folder "deep" a run makes goes before the tree is compared.
int check(const string& cwd, const CheckRun& run, string* out, string* err) {
    iotest::TempFolder io;
    const string command = "cd '" + cwd + "' && (" + run.setup + "env -i LC_ALL=" + run.locale + " '" +
                           std::getenv("QV_BINARY") + "' " + run.args + " <&- >'" + io.file("out.txt") + "' 2>'" +
                           io.file("err.txt") + "'); status=$?; rm -rf deep; exit $status";
    const int status = std::system(command.c_str());
    *out = iotest::readFile(io.file("out.txt"));
    *err = iotest::readFile(io.file("err.txt"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Check : public testing::TestWithParam<CheckRun> {};

TEST_P(Check, ReportsEveryFindingAsksNothingAndChangesNothing) {
    ASSERT_NE(std::getenv("QV_BINARY"), nullptr) << "QV_BINARY is not set";
    const CheckRun& run = GetParam();
    Tree tree;
    const string before = tree.digest();
    string out, err;
    EXPECT_EQ(check(tree.tmp.path(), run, &out, &err), run.status);
    // Standard error holds the errors and nothing else: no prompt, so nothing was asked.
    EXPECT_EQ(err, run.errors);
    if (run.args.find("--json") == string::npos) {
        EXPECT_EQ(out, run.report(tree.cutAt));
    } else {
        const string got = canonicalJson(out);
        EXPECT_EQ(got, canonicalJson(run.report(tree.cutAt)));
        EXPECT_EQ(got.find("<invalid>"), string::npos) << out;
    }
    EXPECT_TRUE(tree.digest() == before);
}

std::vector<CheckRun> runs() {
    return {
        // A model met again, named after its folder, is reported once.
        {"Folder", "--check tree tree/bent.pmx",
         [](std::int32_t at) { return kNotPmx + kBent + kClean + cut(at) + kLinks + kV21 + kTally; }, ""},
        // Files of broken links found moved, or under names garbled by an unpacking.
        {"FilesFoundForBrokenLinks", "--check found/found.pmx", [](std::int32_t) { return kFound; }, "", "C.UTF-8", 1},
        {"FilesFoundForBrokenLinksAsJson", "--check --json found/found.pmx", [](std::int32_t) { return kFoundJson; }, "", "C.UTF-8", 1},
        // A backslash is part of a Linux name: such a name is left out, never split into folders.
        {"NameHoldingABackslashIsLeftOut", "--check 'tree/x\\y.pmx' tree/bent.pmx",
         [](std::int32_t) { return kBent + "1 model(s) checked: 0 clean, 1 with findings, 0 unreadable, 1 error(s)\n"; },
         "quorvane: tree/x\\y.pmx: backslash in a file name: left out\n"},
        {"OptionsWithoutAPathAreRefused", "--check --json", [](std::int32_t) { return ""; },
         "quorvane: --check needs a file or folder to check\nTry 'quorvane --help' for more information.\n"},
        {"PathsBeginRightAfterDoubleDash", "--check -- tree/bent.pmx",
         [](std::int32_t) { return kBent + "1 model(s) checked: 0 clean, 1 with findings, 0 unreadable\n"; }, "", "C", 1},
        {"UnknownOptionBeforeThePaths", "--check --json --bogus tree", [](std::int32_t) { return ""; },
         "quorvane: unrecognized option '--bogus'\nTry 'quorvane --help' for more information.\n", "C.UTF-8"},
        // Below a current folder longer than a path the system resolves, a model's full path
        // cannot be known: the path as given opens it.
        {"ModelBelowTheLongestPathTheSystemResolves", "--check bent.pmx",
         [](std::int32_t) { return "bent.pmx\n" + kBentBlock + "1 model(s) checked: 0 clean, 1 with findings, 0 unreadable\n"; },
         "", "C", 1,
         "python3 -c \"import os, shutil, sys\ntop = os.getcwd()\nfor name in ['deep'] + ['0' * 250] * 17:\n"
         "    os.mkdir(name)\n    os.chdir(name)\nshutil.copy(top + '/tree/bent.pmx', '.')\n"
         "os.execvp(sys.argv[1], sys.argv[1:])\" "},
    };
}

INSTANTIATE_TEST_SUITE_P(Tree, Check, testing::ValuesIn(runs()),
                         [](const testing::TestParamInfo<CheckRun>& row) { return string(row.param.name); });

} // namespace
