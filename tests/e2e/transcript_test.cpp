// The scenarios run on Linux: the built program (QV_BINARY) as a user's shell runs it, its output
// compared byte for byte with the transcript, every "-new" copy it leaves with the bytes it must
// hold.
#include <gtest/gtest.h>
#include <sys/utsname.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <ostream>

#include "tests/e2e/scenarios.h"

namespace e2e {
void PrintTo(const Scenario& s, std::ostream* out) { *out << s.name; }
} // namespace e2e

namespace {

namespace fs = std::filesystem;
using namespace e2e;

// Runs the program in the folder `cwd` (or this process's own, when empty) with only LC_ALL of
// the locale variables, after the shell words `shell` (a limit, another user); returns its exit
// status (-1 when it did not exit, or was killed after a minute) and fills `out` and `err` with
// its standard output and error (the prompts).
int runProgram(const string& program, const std::vector<string>& args, const string& locale,
               const string& input, const string& cwd, const string& shell, string* out, string* err) {
    iotest::TempFolder io;
    iotest::writeFile(io.file("in"), input);
    string command = (cwd.empty() ? "" : "cd " + shellWord(cwd) + " && ") + shell +
                     " timeout -s KILL 60 env -i " + shellWord("LC_ALL=" + locale);
    for (const char* name : {"PATH", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
        if (const char* value = std::getenv(name))
            command += " " + shellWord(string(name) + "=" + value);
    command += " " + shellWord(program);
    for (const string& arg : args) command += " " + shellWord(arg);
    command += " <" + io.file("in") + " >" + io.file("out") + " 2>" + io.file("err");
    const int status = std::system(command.c_str());
    *out = iotest::readFile(io.file("out"));
    *err = iotest::readFile(io.file("err"));
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// One test per scenario, named after it: `ctest -R Transcript.*Fifo` or
// `--gtest_filter=*FifoPickedInTheDialogIsNotPresent` runs it alone.
class Transcript : public testing::TestWithParam<Scenario> {};

TEST_P(Transcript, PrintsItsTranscriptAndLeavesItsCopies) {
    ASSERT_NE(std::getenv("QV_BINARY"), nullptr) << "QV_BINARY is not set";
    struct utsname names;
    ASSERT_EQ(uname(&names), 0);
    const Scenario& s = GetParam();
    Models m;
    if (s.prepare) s.prepare(m.root);
    std::vector<string> args;
    for (const string& arg : s.args) args.push_back(m.fill(arg));
    string out, err;
    EXPECT_EQ(runProgram(m.program(s.shell), args, s.locale, m.fill(s.input), m.fill(s.cwd), m.fill(s.shell),
                         &out, &err),
              s.status);
    EXPECT_NE(err.find(m.fill(s.prompt)), string::npos) << err;
    // On POSIX the version line names the host system; the folder is shown in inside form.
    string expected = m.fill(s.transcript);
    replaceAll(&expected, "{V}", string(" on ") + names.sysname + " " + names.release + " ");
    replaceAll(&expected, "{D}", m.root + "/");
    replaceAll(&expected, "{/}", "/");
    if (string(s.locale).find("SJIS") != string::npos) expected = shiftJis(expected);
    const std::size_t gap = expected.find("{*}");
    if (gap == string::npos) {
        EXPECT_EQ(out, expected);
    } else {
        const string head = expected.substr(0, gap), tail = expected.substr(gap + 3);
        EXPECT_TRUE(out.size() >= head.size() + tail.size() && out.rfind(head, 0) == 0 &&
                    out.compare(out.size() - tail.size(), tail.size(), tail) == 0) << out;
    }
    std::vector<string> left, copies = s.copies;
    for (const auto& entry : fs::recursive_directory_iterator(m.base)) {
        const string name = fs::relative(entry.path(), m.base).string();
        // A link of such a name is no copy (and must never have been written through).
        if (fs::is_regular_file(entry.symlink_status()) && name.find("-new") != string::npos)
            left.push_back(name);
    }
    std::sort(left.begin(), left.end());
    std::sort(copies.begin(), copies.end());
    EXPECT_EQ(left, copies);
    for (const string& copy : copies)
        EXPECT_TRUE(iotest::readFile(m.file(copy)) == m.copies[copy]) << copy;
    for (const auto& source : m.sources)
        EXPECT_TRUE(iotest::readFile(m.file(source.first)) == source.second)
            << source.first; // the source is never written
}

string scenarioName(const testing::TestParamInfo<Scenario>& scenario) { return scenario.param.name; }

std::vector<Scenario> linuxScenarios() {
    std::vector<Scenario> all = scenarios(), linux;
    std::copy_if(all.begin(), all.end(), std::back_inserter(linux), onLinux);
    return linux;
}

INSTANTIATE_TEST_SUITE_P(Scenario, Transcript, testing::ValuesIn(linuxScenarios()), scenarioName);

// A pack unpacked with the wrong code page: its folder テクスチャ and files 髪.png and 顔.png as
// the unpacking spelled them (Python's cp437 and latin-1 readings of their Shift-JIS bytes, or the
// bytes). Yes renames them to the model's names, No renews the links to them, Cancel ends the run.
// Nothing beside the pack changes.
struct GarbledPack {
    const char* name;
    std::uint8_t encoding;
    char answer; // to the rename question: y, n or c
    string folder, hair, face;                // as unpacked
    string shownFolder, shownHair, shownFace; // as the console shows them, when a No renews to them
    bool ja = false;
};

void PrintTo(const GarbledPack& pack, std::ostream* os) { *os << pack.name; }

class GarbledPackRun : public testing::TestWithParam<GarbledPack> {};

// Every name, kind and byte below `folder` but the pack's, in one text.
string digestBeside(const string& folder) {
    string all;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const string name = fs::relative(entry.path(), folder).string();
        if (name.rfind("pack", 0) != 0) all += name + "\n" + (entry.is_directory() ? "/" : iotest::readFile(entry.path())) + "\n";
    }
    return all;
}

TEST_P(GarbledPackRun, RenamesOnYesLinksToTheGarbledNamesOnNoAndEndsOnCancel) {
    const GarbledPack& p = GetParam();
    iotest::TempFolder tmp;
    const string root = fs::canonical(tmp.path()).string();
    pmxtest::PmxRecipe r = armsModel({});
    r.bones.clear();
    r.encoding = p.encoding;
    r.textures = {"テクスチャ\\髪.png", "テクスチャ\\顔.png"};
    fs::create_directories(root + "/pack");
    pmxtest::writeFile(root + "/pack/m.pmx", pmxtest::buildPmx(r));
    for (const string& at : {root + "/pack/", root + "/"}) { // the pack, and its twin beside it
        fs::create_directories(at + p.folder);
        iotest::writeFile(at + p.folder + "/" + p.hair + ".png", "hair");
        iotest::writeFile(at + p.folder + "/" + p.face + ".png", "face");
    }
    const string beside = digestBeside(root);
    string out, err;
    const int status = runProgram(std::getenv("QV_BINARY"), {root + "/pack/m.pmx"}, p.ja ? "ja_JP.SJIS" : "C.UTF-8",
                                  string("y\n") + p.answer + "\n\n", "", "", &out, &err);
    const bool yes = p.answer == 'y', renewed = p.answer == 'n' && !p.shownFolder.empty();
    const string links = "0: テクスチャ\\髪.png ", next = "1: テクスチャ\\顔.png ";
    string expected = "pmx dir: " + root + "/pack/ \n" + links + "(=NG=)\n" + next + "(=NG=)\n\n";
    if (p.ja) {
        expected += texAsk(2, "YES", "m.pmx") + " 2 個のテクスチャへのリンクは、 \r\n"
                    " 別の文字コードで展開されて \r\n 文字化けした名前でのみ見つかります. \r\n \r\n"
                    " フォルダとファイルの名前を \r\n モデルの使う名前に直しますか？ \r\n"
                    " (いいえ: リンクを文字化けした名前に更新) (Y/N/Cancel) \r\n";
    } else {
        expected += texAsk(2, "YES") + " 2 texture link(s) find their files \r\n only under names garbled by unpacking \r\n"
                    " with another code page. \r\n \r\n Rename those folders and files \r\n"
                    " to the names the model uses? \r\n (No: the links are renewed to the garbled names) (Y/N/Cancel) \r\n";
    }
    expected += answered(yes ? "YES" : p.answer == 'n' ? "NO" : "Cancel") + (p.answer == 'c' ? "" : "--- \n" + links);
    if (yes && p.ja) {
        expected += "(名前を直しました)\n" + next + "(名前を直しました)\n\n フォルダとファイルの名前を \r\n モデルの使う名前に直しました. \r\n\n";
    } else if (yes) {
        expected += "(renamed)\n" + next + "(renamed)\n\n Folders and files renamed to the names the model uses. \n";
    } else if (renewed) {
        expected += "(garbled name) => (renew) " + p.shownFolder + "\\" + p.shownHair + ".png \n" + next +
                    "(garbled name) => (renew) " + p.shownFolder + "\\" + p.shownFace + ".png \n\n" + saved("m.pmx", "m-new.pmx");
    }
    EXPECT_EQ(status, yes || renewed ? 0 : 1);
    const std::size_t list = out.find("pmx dir: ");
    EXPECT_EQ(list == string::npos ? out : out.substr(list), p.ja ? shiftJis(expected) : expected);
    EXPECT_EQ(iotest::readFile(root + "/pack/" + (yes ? "テクスチャ/髪" : p.folder + "/" + p.hair) + ".png"), "hair");
    EXPECT_EQ(iotest::readFile(root + "/pack/" + (yes ? "テクスチャ/顔" : p.folder + "/" + p.face) + ".png"), "face");
    EXPECT_EQ(fs::exists(root + "/pack/" + p.folder), !yes);
    EXPECT_TRUE(digestBeside(root) == beside);
    // The copy, when No renewed the links, links to the names as unpacked.
    r.textures = {p.folder + "\\" + p.hair + ".png", p.folder + "\\" + p.face + ".png"};
    const string made = fs::exists(root + "/pack/m-new.pmx") ? iotest::readFile(root + "/pack/m-new.pmx") : "(none)";
    EXPECT_TRUE(made == (renewed ? bytesOf(r) : "(none)"));
}

const string kCp437Folder = "âeâNâXâ`ââ";
const string kRawFolder = "\x83\x65\x83\x4E\x83\x58\x83\x60\x83\x83";
const string kLatin1Folder = "\u0083e\u0083N\u0083X\u0083`\u0083\u0083";
INSTANTIATE_TEST_SUITE_P(
    Packs, GarbledPackRun,
    testing::Values(GarbledPack{"Cp437Yes", 0, 'y', kCp437Folder, "ö»", "èτ", "", "", ""},
                    GarbledPack{"Cp437Cancel", 0, 'c', kCp437Folder, "ö»", "èτ", "", "", ""},
                    GarbledPack{"Cp437YesJa", 0, 'y', kCp437Folder, "ö»", "èτ", "", "", "", true},
                    GarbledPack{"RawYes", 1, 'y', kRawFolder, "\x94\xAF", "\x8A\xE7", "", "", ""},
                    GarbledPack{"Latin1No", 0, 'n', kLatin1Folder, "\u0094\u00AF", "\u008A\u00E7",
                                "\\x83e\\x83N\\x83X\\x83`\\x83\\x83", "\\x94¯", "\\x8aç"}),
    [](const testing::TestParamInfo<GarbledPack>& row) { return string(row.param.name); });

} // namespace
