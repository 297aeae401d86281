// The program's start-up (version, language, arguments, options), the choice of a model when
// none was dropped, and the model loop that takes each model through check, repair and save.
#include "app/run.h"

#include <cstring>

#include "app/argument_list.h"
#include "app/check_command.h"
#include "app/check_run.h"
#include "app/help.h"
#include "app/language_mode.h"
#include "app/options.h"
#include "app/os_version.h"
#include "app/path_join.h"
#include "app/run_settings.h"
#include "app/save_copy.h"
#include "app/texts_ja.h"
#include "app/texture_links.h"
#include "app/version.h"
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
// The model entry made full, as a dropped file arrives.
char gModelPath[kPathBytes];

int gExitStatus = kExitClean;

// The run's status is the worst met in it.
void noteStatus(int status) {
    if (status > gExitStatus) gExitStatus = status;
}

void collectCommandLine() {
    clearArguments();
    const int total = platform::argumentCount();
    int leftOut = 0;
    for (int i = 0; i < total; ++i) {
        if (i >= kArgumentLimit) {
            consolePrint("Too many command line parameters.\n");
            break;
        }
        int got = platform::argument(i, gArgumentText, sizeof gArgumentText);
        if (got < 0) continue;
        if (got == 2) {
            // Shown as typed: with the separators as the shell's, the backslash reads as the
            // part of a name it is.
            platform::argumentAsGiven(i, gArgumentText, sizeof gArgumentText);
            consolePrint("Backslash in a file name: left out : %s\n", gArgumentText);
            noteStatus(kExitTrouble);
            continue;
        }
        if (got > 0 || collectArgument(gArgumentText, platform::argumentsMayBeQuoted()) != 0) ++leftOut;
    }
    if (leftOut > 0) consolePrint("Too long command line: %d parameter(s) left out.\n", leftOut);
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

// Where the model dialog starts: the program's folder, or where the platform keeps models.
const char* modelDialogFolder(char* current) {
    if (!platform::modelDialogStartsInCurrentFolder()) return gSettings.exeFolder;
    char folder[kPathBytes];
    if (platform::currentDirectory(kPathBytes, folder) == 0 ||
        joinPath(current, kPathBytes, folder, "\\") != 0)
        return gSettings.exeFolder;
    return current;
}

void printUsage() {
    consolePrint("Usage \n");
    consolePrint("   Quorvane <pmxFileName>.pmx \n");
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
    char current[kPathBytes];
    if (openFileDialog(chosen, FileKind::Model, modelDialogFolder(current)) == 0) {
        collectArgument(chosen, platform::argumentsMayBeQuoted());
        if (ReadStream::probe(chosen) == 0) {
            ReadStream::close();
            return 0;
        }
    }
    printUsage();
    return -1;
}

// The model entry as a full path in gModelPath: a texture picked in the dialog comes as a full
// path, and only a full model folder gives it a link relative to the model. 0, or -1 when the
// full path does not fit a path buffer.
int fullModelPath(const char* entry) {
    std::uint32_t length = platform::fullPathName(entry, kPathBytes, gModelPath);
    if (length == 0) {
        // The system cannot tell the current folder: the entry as it was given.
        return joinPath(gModelPath, sizeof gModelPath, entry, "");
    }
    return length < static_cast<std::uint32_t>(kPathBytes) ? 0 : -1;
}

// One model (argument entry `index`) through read, twist check, texture check and repair,
// and save or notice. 0 to go on with the next entry, -1 when the run ends.
int processModel(int index) {
    const char* entry = argumentEntry(index);
    consolePrint("\n");
    if (fullModelPath(entry) != 0) {
        // No file of such a name can be opened on the system the paths come from.
        consolePrint("Too long path: skipped. \n");
        noteStatus(kExitTrouble);
        return 0;
    }
    const char* modelPath = gModelPath;
    folderOf(gSettings.modelFolder, modelPath);
    clearModelMarks();
    platform::forgetFolderListings(); // a listing read for the model before may be stale now
    int code = readPmx(modelPath);
    // The reader's old name is kept in the report: doc/compatibility.md.
    if (code != 0) consolePrint("pmdinforead err %d. \n", code);
    const bool readWhole = code == 0 && readPmxWasWhole();
    if (!readWhole) noteStatus(kExitTrouble);
    if (readPmxWentOutOfStep()) {
        // Bones and links read out of step are not the model's: nothing to check or offer.
        notifyModelUnread();
        return 0;
    }

    runTwistAxisCheck();
    const bool twistFound = anyTwistVerdict();
    if (confirmTwistRepair(modelPath) != 0) {
        noteStatus(kExitLeft);
        return -1;
    }
    if (twistFound && !anyTwistVerdict()) noteStatus(kExitLeft); // answered No

    int broken = checkTextureLinks();
    if (gModel.droppedTextureCount > 0) noteStatus(kExitTrouble); // links left unchecked
    if (broken > 0) {
        int answer = confirmTextureRepair(modelPath, broken);
        if (answer <= 0) noteStatus(kExitLeft);
        if (answer < 0) return -1;
        if (answer == 0) broken = 0;
    }
    if (broken > 0 && repairTextureLinks() != 0) {
        noteStatus(kExitLeft);
        return -1;
    }

    // A repair that ran to its end renewed or renamed every broken link.
    if (gModel.texturesChanged || anyTwistVerdict()) {
        if (saveRepairedCopy(modelPath, index + 1) != 0) noteStatus(kExitTrouble);
    } else if (broken > 0) {
        notifyRenamed();
    } else if (readWhole) {
        notifyNothingFound();
    } else {
        notifyModelUnread();
    }
    return 0;
}

} // namespace

int runProgram() {
    char first[kPathBytes];
    // As typed, slashes kept: "/?" is a request for help, not a path, wherever it is typed.
    if (platform::argumentCount() > 1) platform::argumentAsGiven(1, first, sizeof first);
    if (platform::argumentCount() > 1) {
        if (answerHelpOrVersion(first, platform::argumentCount() == 2)) return kExitClean;
        if (std::strcmp(first, kCheckWord) == 0) return runCheck();
        if (refuseUnknownLongOption(first)) return kExitTrouble;
    }

    gExitStatus = kExitClean;
    detectOsVersion();
    detectLanguage();
    consolePrint("Quorvane  V%s  PMX twist-axis and texture-link repair\n", kProgramVersion);
    printVersionLine();
    consolePrint("%s\n", modeLabel(gSettings.isJapaneseUser, gSettings.isShiftJisCodePage));
    collectCommandLine();
    findExeFolder();
    resetOptionSettings();
    clearFolderRemaps();

    if (gArguments.count < 2 && selectModel() != 0) return kExitTrouble;

    bool modelGiven = false;
    int optionErrors = 0;
    for (int i = 1; i < gArguments.count; ++i) {
        if (isOptionEntry(argumentEntry(i)))
            optionErrors += parseOptionEntry(argumentEntry(i), true);
        else
            modelGiven = true;
    }
    if (optionErrors > 0) printHelpHint();
    // Options alone check nothing: that is no success to report.
    if (!modelGiven) noteStatus(kExitTrouble);

    for (int i = 1; i < gArguments.count; ++i) {
        const char* entry = argumentEntry(i);
        if (isOptionEntry(entry)) {
            parseOptionEntry(entry, false);
            continue;
        }
        if (processModel(i) != 0) break;
    }
    if (!modelGiven) printUsage();
    return gExitStatus;
}
