// The end-to-end scenarios: whole runs of the program, each with its hand-written transcript and
// the copies it must leave. transcript_test.cpp runs them on Linux with the answers on standard
// input; tests/wine/ runs those with Wine answers under Wine, answering the real dialogs.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/support/io_test_files.h"
#include "tests/support/pmx_builder.h"

namespace e2e {

using std::string;

struct Scenario {
    const char* name;
    int status; // the exit status: 0 clean or saved, 1 something left as it was, 2 trouble
    // A Linux locale (C, C.UTF-8, ja_JP.SJIS), or a Wine system for a row run under Wine alone:
    // en, enus (a Western system), en932 (English texts on a Japanese system), win10 (en on a
    // prefix set to Windows 10, which the run leaves so: the table's last row).
    const char* locale;
    // "{O}" is the scenario's folder (ending in the separator).
    std::vector<string> args;
    string input; // the answers typed on Linux
    // UTF-8 (Shift-JIS bytes are expected in the Japanese locale), with "{O}" as above, "{V}" the
    // version line, "{D}" the folder as the program shows it, "{/}" the system's separator, "{*}"
    // any text and, under Wine on a Japanese system, "{8}" around a text that reaches the console
    // in UTF-8.
    string transcript;
    std::vector<string> copies; // every "-new" file the run must leave
    string prompt = "";         // a text the Linux prompts must hold ("{R}": the folder, no "/")
    string cwd = "";            // the folder the program starts in, when not the test's own
    // Hostile entries made in the folder (outside form, no "/" at its end) before the run.
    std::function<void(const string&)> prepare = nullptr;
    string shell = ""; // shell words before the program ("{U}": as another user; "{N}": a neighbour)
    // Under Wine: the answers, "|" between them: a message box's key, or "TITLE=key:KEY" and
    // "TITLE=type:TEXT" for a dialog ("{O}" in Windows form); a row without them is not run
    // there. `box`: a text one of its message boxes must show.
    const char* wine = nullptr;
    string box = "";
};

std::vector<Scenario> scenarios();
bool onLinux(const Scenario& s);

// The models every scenario starts from, written into a folder of its own (a temporary one, or
// `folder`), and the bytes of the copies they repair to.
struct Models {
    explicit Models(const string& folder = "");
    iotest::TempFolder tmp;
    string base; // the folder as made (outside form)
    string root; // the folder as the program finds it from inside (no link in it)
    std::map<string, string> sources, copies; // by path relative to the folder

    string file(const string& name) const { return base + "/" + name; }
    void images(std::initializer_list<const char*> names);
    void add(const string& name, const pmxtest::PmxRecipe& recipe);
    string addTextures(const string& name, pmxtest::PmxRecipe recipe, const char* textures,
                       const std::vector<string>& renewed);
    string program(const string& shell) const;
    string fill(string text) const;
};

pmxtest::PmxRecipe armsModel(std::initializer_list<std::size_t> bent);
string bytesOf(const pmxtest::PmxRecipe& recipe);
void replaceAll(string* text, const string& from, const string& to);
string shiftJis(string utf8);
string shellWord(string text);
string answered(const string& answer);
string texAsk(int broken, const string& answer, const string& jaFile = "");
string saved(const string& file, const string& copy, bool ja = false);

} // namespace e2e
