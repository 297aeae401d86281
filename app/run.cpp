// The program's start-up (version, language, arguments, options), the choice of a model when
// none was dropped, and the model loop that takes each model through check, repair and save.
#include "app/run.h"

#include <cstring>

#include "app/argument_list.h"
#include "app/language_mode.h"
#include "app/model_folder.h"
#include "app/options.h"
#include "app/os_version.h"
#include "app/path_join.h"
#include "app/run_settings.h"
#include "app/save_copy.h"
#include "app/texts_ja.h"
#include "app/texture_links.h"
#include "app/twist_check.h"
#include "io/open_dialog.h"
#include "io/path.h"
#include "io/read_stream.h"
#include "platform/console.h"
#include "platform/platform.h"
#include "pmx/model.h"
#include "pmx/reader.h"
#include "text/language.h"

namespace {

// One raw argument; as large as the pool so that no argument is cut before collecting.
char gArgumentText[kArgumentPoolBytes];

void collectCommandLine() {
    clearArguments();
    const int total = platform::argumentCount();
    for (int i = 0; i < total; ++i) {
        if (i >= kArgumentLimit) {
            consolePrint("Too many command line parameters.\n");
            break;
        }
        if (platform::argument(i, gArgumentText, sizeof gArgumentText) != 0) continue;
        collectArgument(gArgumentText);
    }
}

void findExeFolder() {
    gSettings.exePath[0] = '\0';
    gSettings.exeFolder[0] = '\0';
    // A program path too long for the path buffers is left aside like a path without folder.
    if (gArguments.count > 0 &&
        joinPath(gSettings.exePath, sizeof gSettings.exePath, argumentEntry(0), "") == 0)
        folderOf(gSettings.exeFolder, gSettings.exePath);
    if (gSettings.exeFolder[0] != '\0') return;
    char current[kPathBytes];
    std::uint32_t length = platform::currentDirectory(kPathBytes, current);
    if (length == 0 || joinPath(gSettings.exeFolder, sizeof gSettings.exeFolder, current, "\\") != 0)
        consolePrint("(Obtaining exe dir failed.) \n");
}

// No model was dropped: the user picks one. 0 when one was chosen and opens.
int selectModel() {
    consolePrint("\n");
    if (japaneseMode()) {
        consolePrint("%s", kNoDroppedFileJa);
        consolePrint("%s", kPleaseOpenModelJa);
    } else {
        consolePrint("No dropped PMX file detected. \n");
        consolePrint(" Please select PMX file(s). \n");
    }
    char chosen[kPathBytes];
    if (openFileDialog(chosen, FileKind::Model, gSettings.exeFolder) == 0) {
        collectArgument(chosen);
        if (ReadStream::probe(chosen) == 0) {
            ReadStream::close();
            return 0;
        }
    }
    consolePrint("Usage \n");
    consolePrint("   Quorvane <pmxFileName>.pmx \n");
    return -1;
}

// One model through read, twist check, texture check and repair, and save or notice.
// 0 to go on with the next entry, -1 when the run ends.
int processModel(const char* modelPath) {
    consolePrint("\n");
    if (std::strlen(modelPath) >= static_cast<std::size_t>(kPathBytes)) {
        // No file of such a name can be opened on the system the paths come from.
        consolePrint("Too long path: skipped. \n");
        return 0;
    }
    modelFolderOf(gSettings.modelFolder, modelPath);
    clearModelMarks();
    int code = readPmx(modelPath);
    if (code != 0) consolePrint("pmdinforead err %d. \n", code);

    runTwistAxisCheck();
    if (confirmTwistRepair(modelPath) != 0) return -1;

    int broken = checkTextureLinks();
    if (broken > 0) {
        int answer = confirmTextureRepair(modelPath, broken);
        if (answer < 0) return -1;
        if (answer == 0) broken = 0;
    }
    if (broken > 0 && repairTextureLinks() != 0) return -1;

    if (broken > 0 || anyTwistVerdict())
        saveRepairedCopy(modelPath);
    else
        notifyNothingFound();
    return 0;
}

} // namespace

void runProgram() {
    detectOsVersion();
    detectLanguage();
    consolePrint("Quorvane  V0.90  PMX twist-axis and texture-link repair\n");
    printVersionLine();
    consolePrint("%s\n", modeLabel(gSettings.isJapaneseUser, gSettings.isShiftJisCodePage));
    collectCommandLine();
    findExeFolder();
    resetOptionSettings();
    clearFolderRemaps();

    if (gArguments.count < 2 && selectModel() != 0) return;

    for (int i = 1; i < gArguments.count; ++i)
        if (isOptionEntry(argumentEntry(i))) parseOptionEntry(argumentEntry(i), true);

    for (int i = 1; i < gArguments.count; ++i) {
        const char* entry = argumentEntry(i);
        if (isOptionEntry(entry)) {
            parseOptionEntry(entry, false);
            continue;
        }
        if (processModel(entry) != 0) return;
    }
}
