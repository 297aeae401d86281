// The check's loop (see check_run.h): the paths in order, each walked by the platform, each
// model taken once, read and checked with the trace off, and printed by the report.
#include "app/check_run.h"

#include "app/check_command.h"
#include "app/check_report.h"
#include "app/language_mode.h"
#include "app/model_identities.h"
#include "app/path_join.h"
#include "app/run.h"
#include "app/run_settings.h"
#include "app/texts_ja.h"
#include "app/texture_links.h"
#include "app/twist_check.h"
#include "io/path.h"
#include "platform/console.h"
#include "platform/platform.h"
#include "pmx/model.h"
#include "pmx/reader.h"
#include "text/language.h"

namespace {

void reportError(const char* shown, const char* reason) { errorPrint("quorvane: %s: %s\n", shown, reason); }

CheckCommand gCommand;
CheckTally gTally;
char gArgumentText[platform::kWalkPathBytes];
platform::WalkStep gStep;
char gModelPath[kPathBytes];
bool gIdentitiesFull = false;

// Why a path names no model, in the console's language (a capacity met is named with its size).
void reportProblem(const char* shown, platform::WalkProblem problem) {
    using platform::WalkProblem;
    const bool ja = japaneseMode();
    const char* reason = "";
    switch (problem) {
    case WalkProblem::Missing: reason = ja ? kMissingJa : "no such file or folder"; break;
    case WalkProblem::Unreachable: reason = ja ? kUnreachableJa : "cannot be reached"; break;
    case WalkProblem::NotFileOrFolder: reason = ja ? kNotFileOrFolderJa : "not a file or folder"; break;
    case WalkProblem::FolderUnreadable: reason = ja ? kFolderUnreadableJa : "cannot read the folder"; break;
    case WalkProblem::FolderTooLarge:
        errorPrint(ja ? kFolderTooLargeJa : "quorvane: %s: more than %d names, or %d KiB of names, in the folder: not walked\n",
                   shown, static_cast<int>(platform::kWalkEntryCapacity),
                   static_cast<int>(platform::kWalkNameBytes / 1024));
        return;
    case WalkProblem::TooDeep:
        errorPrint(ja ? kTooDeepJa : "quorvane: %s: folders nested more than %d deep: not walked\n", shown,
                   platform::kWalkDepthCapacity);
        return;
    case WalkProblem::NameNotInside: reason = ja ? kBackslashNameJa : "backslash in a file name: left out"; break;
    case WalkProblem::PathTooLong: reason = ja ? kPathTooLongJa : "path too long"; break;
    case WalkProblem::None: break;
    }
    reportError(shown, reason);
}

void countModel(ModelStatus status) {
    ++gTally.models;
    if (status == ModelStatus::Clean) ++gTally.clean;
    else if (status == ModelStatus::Findings) ++gTally.withFindings;
    else ++gTally.unreadable;
}

int findingsOfLastModel() {
    int findings = 0;
    for (const TwistResult& result : gTwistResults)
        if (result.state == TwistState::Off) ++findings;
    for (int k = 0; k < gModel.keptTextureCount; ++k)
        if (gLinkResults[k].verdict == LinkVerdict::Broken) ++findings;
    return findings;
}

// Reads and checks the model of gStep, and prints it.
void checkModel() {
    // The model as the interactive run takes it: by its full path, read once.
    const std::uint32_t length = platform::fullPathName(gStep.path, kPathBytes, gModelPath);
    const bool fits = length == 0 ? joinPath(gModelPath, sizeof gModelPath, gStep.path, "") == 0
                                  : length < static_cast<std::uint32_t>(kPathBytes);
    if (!fits) {
        reportProblem(gStep.shown, platform::WalkProblem::PathTooLong);
        countModel(ModelStatus::Unreadable);
        return;
    }
    folderOf(gSettings.modelFolder, gModelPath);
    clearModelMarks();
    platform::forgetFolderListings(); // a listing read for the model before may be stale now
    const int code = readPmx(gModelPath);
    if (code == -1) {
        reportError(gStep.shown, japaneseMode() ? kCannotOpenJa : "cannot open");
        countModel(ModelStatus::Unreadable);
        return;
    }
    ModelCheck check{gStep.shown, code == 0 && !readPmxWentOutOfStep(), 0, ModelStatus::Clean};
    if (check.checked) {
        runTwistAxisCheck();
        checkLinks();
        check.findings = findingsOfLastModel();
    }
    if (!readPmxWasWhole() || gModel.droppedTextureCount > 0) check.status = ModelStatus::Unreadable;
    else if (check.findings > 0) check.status = ModelStatus::Findings;
    countModel(check.status);
    if (gCommand.json) printModelJson(check);
    else printModelText(check);
}

void takeStep() {
    if (gStep.problem != platform::WalkProblem::None) {
        reportProblem(gStep.shown, gStep.problem);
        ++gTally.errors;
        return;
    }
    const int first = noteModelIdentity(gStep.identity);
    if (first == 0) return; // checked already under another name
    if (first < 0 && !gIdentitiesFull) {
        gIdentitiesFull = true;
        errorPrint(japaneseMode() ? kIdentitiesFullJa : "quorvane: more than %d models: a model met again "
                                                        "from here on is checked again\n",
                   kModelIdentityCapacity);
        ++gTally.errors;
    }
    checkModel();
}

// One command-line path: a model, or a folder walked for models.
void checkPath(int index) {
    const int got = platform::argument(index, gArgumentText, sizeof gArgumentText);
    if (got != 0) {
        // Cut, or holding a backslash: a name the program cannot open as given.
        const platform::WalkProblem problem =
            got == 2 ? platform::WalkProblem::NameNotInside : platform::WalkProblem::PathTooLong;
        platform::argumentAsGiven(index, gArgumentText, sizeof gArgumentText);
        reportProblem(gArgumentText, problem);
        ++gTally.errors;
        return;
    }
    platform::walkBegin(gArgumentText);
    while (platform::walkNext(&gStep) == 1) takeStep();
}

} // namespace

int runCheck() {
    detectLanguage();
    if (parseCheckCommand(&gCommand) != 0) return kExitTrouble;
    // The reader's trace and the converters' echo stay off: the report alone is printed.
    consoleShowTrace(false);
    gTally = CheckTally{0, 0, 0, 0, 0};
    clearModelIdentities();
    for (int i = gCommand.firstPath; i < platform::argumentCount(); ++i) checkPath(i);
    int status = kExitClean;
    if (gTally.withFindings > 0) status = kExitLeft;
    if (gTally.unreadable > 0 || gTally.errors > 0) status = kExitTrouble;
    if (gCommand.json) printTallyJson(gTally, status);
    else printTallyText(gTally);
    return status;
}
