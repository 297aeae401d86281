// The texts of --help and --version (see help.h). Only the first argument is looked at: in any
// other place "--help" is an option entry like any other (or, after --check, an unknown option).
#include "app/help.h"

#include <cstring>

#include "app/texts_ja.h"
#include "app/version.h"
#include "platform/console.h"
#include "text/language.h"

namespace {

// What users of other tools type for help; taken only when it is the one argument.
const char* const kHelpHabits[] = {"-h", "-?", "/?"};
// The long options that may stand first.
const char* const kLongOptions[] = {"--help", "--version", "--check"};

const char kHelp[] =
    "Usage: quorvane [options] model.pmx [more.pmx ...]\n"
    "       quorvane --check [--json] [--] PATH...\n"
    "       quorvane --help | --version\n"
    "\n"
    "Checks the fixed axes of the arm and wrist twist bones and the texture links of PMX\n"
    "2.0/2.1 models, asks whether to repair what is wrong, and writes the repaired model\n"
    "beside the source as stem-new.ext (model.pmx becomes model-new.pmx), replacing a file\n"
    "of that name. The source is never changed. Without a model, it asks for one.\n"
    "\n"
    "Options (several may be run together, as in -d2/m3; on Windows \"/\" may stand for \"-\"):\n"
    "  -D<n>          display level 0, 1 or 2: more detail in the reading report\n"
    "  -E<x>, -EA<x>  error admittance, recorded and shown\n"
    "  -M<n>          conversion mode, recorded and shown\n"
    "  -ND[<n>]       dialogue setting, recorded and shown\n"
    "  --help         this text (first argument only)\n"
    "  --version      the name and version (first argument only)\n"
    "\n"
    "Checking collections (--check as the first argument): each PATH is a model or a folder,\n"
    "whose *.pmx files (any case) are found in it and its subfolders. Every model is read and\n"
    "checked as above and reported, one block per model, instead of repaired: nothing is asked\n"
    "and nothing is written. Options, before the paths:\n"
    "  --json         the report as JSON Lines: an object per model and a last one for the run\n"
    "                 (the schema is in the manual page)\n"
    "  --             ends the options: every later argument is a path\n"
    "\n"
    "Exit status (the highest met in the run):\n"
    "  0  every model was read whole and nothing is left to repair\n"
    "  1  something was found and left as it was (No, Cancel, or no more answers), or a\n"
    "     check found a twist axis off or a broken link\n"
    "  2  a model could not be opened or read whole, a repaired copy could not be saved,\n"
    "     a path given to a check named no model, or no model was given\n";

} // namespace

bool answerHelpOrVersion(const char* firstArgument, bool alone) {
    bool help = std::strcmp(firstArgument, "--help") == 0;
    for (const char* habit : kHelpHabits) help = help || (alone && std::strcmp(firstArgument, habit) == 0);
    if (help) {
        consolePrint("%s", kHelp);
        return true;
    }
    if (std::strcmp(firstArgument, "--version") == 0) {
        consolePrint("Quorvane %s\n", kProgramVersion);
        return true;
    }
    return false;
}

bool refuseUnknownLongOption(const char* firstArgument) {
    if (std::strncmp(firstArgument, "--", 2) != 0) return false;
    for (const char* known : kLongOptions)
        if (std::strcmp(firstArgument, known) == 0) return false;
    errorPrint("quorvane: unrecognized option '%s'\n", firstArgument);
    printHelpHint();
    return true;
}

void printHelpHint() {
    errorPrint("%s", japaneseMode() ? kTryHelpJa : "Try 'quorvane --help' for more information.\n");
}
