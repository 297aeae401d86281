// The options of a check (see check_command.h), in the manner of the GNU tools: an unknown
// option is named on standard error with a hint to --help.
#include "app/check_command.h"

#include <cstring>

#include "app/help.h"
#include "app/texts_ja.h"
#include "platform/console.h"
#include "platform/platform.h"
#include "text/language.h"

namespace {

// Room for an option word; a longer argument is no option the check knows either.
char gWord[64];

} // namespace

int parseCheckCommand(CheckCommand* command) {
    command->json = false;
    command->firstPath = platform::argumentCount();
    for (int i = 2; i < platform::argumentCount(); ++i) {
        // A cut word is no option either: it is named as far as it was read.
        platform::argument(i, gWord, sizeof gWord);
        if (std::strcmp(gWord, "--") == 0) {
            command->firstPath = i + 1;
            break;
        }
        if (gWord[0] != '-' || gWord[1] == '\0') { // "-" alone is a name, as for other tools
            command->firstPath = i;
            break;
        }
        if (std::strcmp(gWord, "--json") == 0) {
            command->json = true;
            continue;
        }
        errorPrint(japaneseMode() ? kUnknownOptionJa : "quorvane: unrecognized option '%s'\n", gWord);
        printHelpHint();
        return -1;
    }
    if (command->firstPath >= platform::argumentCount()) {
        errorPrint("%s", japaneseMode() ? kNoPathJa : "quorvane: --check needs a file or folder to check\n");
        printHelpHint();
        return -1;
    }
    return 0;
}
