// Writes the scenarios that run under Wine for tests/wine/scenarios.sh: for each, its models in
// <folder>/<name>/ and what that folder must hold after the run in <folder>/expect/<name>/, the
// output expected after the banner line in <folder>/cases/NN.expect (as the console writes it:
// the system's code page, "\r\n" line ends), and NN.case, sourced by the runner.
#include <filesystem>

#include "tests/e2e/scenarios.h"

using namespace e2e;
namespace fs = std::filesystem;

namespace {

string windowsPath(string path) {
    replaceAll(&path, "/", "\\");
    return "Z:" + path;
}

// The transcript as the console of `lang` writes it: Shift-JIS on a code page 932 system but for
// the "{8}" spans, which the program writes in UTF-8 as composed.
string consoleBytes(const string& text, const string& lang) {
    string out;
    bool utf8 = lang != "ja" && lang != "en932";
    for (std::size_t at = 0, end; at <= text.size(); at = end + 3, utf8 = !utf8) {
        end = std::min(text.find("{8}", at), text.size());
        out += utf8 ? text.substr(at, end - at) : shiftJis(text.substr(at, end - at));
    }
    replaceAll(&out, "\n", "\r\n");
    return out;
}

bool writeCase(const string& folder, int number, const Scenario& s) {
    const string dir = folder + "/" + s.name, expect = folder + "/expect/" + s.name;
    Models m(dir);
    if (s.prepare) s.prepare(m.root);
    fs::copy(dir, expect, fs::copy_options::recursive);
    for (const string& copy : s.copies) iotest::writeFile(expect + "/" + copy, m.copies[copy]);
    const string locale = s.locale;
    const bool win10 = locale == "win10";
    const string lang = onLinux(s) ? (locale == "ja_JP.SJIS" ? "ja" : "en") : win10 ? "en" : locale;
    const string shown = windowsPath(m.root) + "\\"; // as the program shows the folder
    string text = s.transcript, answers = s.wine, args;
    replaceAll(&text, "{V}", win10 ? " on Windows 10.0184 " : " on Windows 7 ");
    replaceAll(&text, "{D}", shown);
    replaceAll(&text, "{O}", shown);
    replaceAll(&text, "{/}", "\\");
    replaceAll(&answers, "{O}", shown);
    const bool banner = text.rfind("Quorvane  V0.90  ", 0) == 0;
    if (banner) text.erase(0, text.find('\n') + 1);
    for (string arg : s.args) {
        arg = m.fill(arg);
        if (arg[0] == '/') arg = windowsPath(arg);
        if (arg[0] != '-') replaceAll(&arg, "/", "\\");
        args += " " + shellWord(arg);
    }
    replaceAll(&answers, "|", "' '");
    const string name = folder + "/cases/" + (number < 10 ? "0" : "") + std::to_string(number);
    iotest::writeFile(name + ".expect", consoleBytes(text, lang));
    iotest::writeFile(name + ".case",
                      "NAME=" + shellWord(s.name) + " STATUS=" + std::to_string(s.status) + " CASE_LANG=" + lang +
                          " BANNER=" + (banner ? "1" : "") + " WINVER=" + (win10 ? "win10" : "") +
                          "\nDIR=" + shellWord(dir) + " CWD=" + shellWord(s.cwd.empty() ? dir : m.fill(s.cwd)) +
                          " BOX=" + shellWord(s.box) + "\nARGS=(" + args + ")\nANSWERS=(" +
                          (answers.empty() ? "" : "'" + answers + "'") + ")\n");
    return s.transcript.find("{*}") == string::npos; // the runner compares the whole output
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2; // usage: wine_cases <folder>
    fs::create_directories(string(argv[1]) + "/cases");
    fs::create_directories(string(argv[1]) + "/expect");
    int number = 0;
    bool ok = true;
    for (const Scenario& s : scenarios())
        if (s.wine != nullptr) ok = writeCase(argv[1], ++number, s) && ok;
    return ok ? 0 : 1;
}
