// Texture-link check, question and repair (see texture_links.h). A texture path joined to the
// model's folder that does not fit a path buffer counts as not present: a cut path could name
// another file. So does a path the reader could keep only cut; its folder and name are no
// ground for an inference either, nor anything to learn from.
#include "app/texture_links.h"

#include <cstring>

#include "app/link_candidates.h"
#include "app/message_text.h"
#include "app/path_join.h"
#include "app/run_settings.h"
#include "app/texts_ja.h"
#include "io/open_dialog.h"
#include "io/path.h"
#include "io/read_stream.h"
#include "platform/console.h"
#include "platform/platform.h"
#include "text/inside_text.h"
#include "text/language.h"

FolderRemapTable gFolderRemaps;
LinkResult gLinkResults[kTextureCapacity];

namespace {

const char kDialogTitlePrefix[] = "Searching for:  ";
const char kSharedToonWord[] = "(shared toon)";
// The shared toons MMD brings: toon01.bmp ... toon10.bmp.
constexpr int kSharedToonFirst = 1;
constexpr int kSharedToonLast = 10;

char gCandidate[kPathBytes];
char gFolder[kTexturePathBytes];
char gName[kTexturePathBytes];
char gNewPath[kTexturePathBytes];
// relativePath adds three bytes per backslash of the base it climbs over (at most 259).
char gRelative[4 * kPathBytes];
char gChosen[kPathBytes];
char gTitle[kPathBytes];
char gOffered[kPathBytes];

// The answer to the question whether to rename garbled names, for the model being repaired.
enum class RenameAnswer { NotAsked, Yes, No };
RenameAnswer gRename = RenameAnswer::NotAsked;

bool isPresent(const char* path) {
    if (ReadStream::probe(path) != 0) return false;
    ReadStream::close();
    return true;
}

// modelFolder + first + second names an existing file (and gCandidate holds it).
bool presentBelowModel(const char* first, const char* second) {
    if (joinPath(gCandidate, sizeof gCandidate, gSettings.modelFolder, first, second) != 0)
        return false;
    return isPresent(gCandidate);
}

// The path of `file` to store in the model: relative to the model's folder, or the full path
// when the relative form would not fit a path buffer.
void storedPathOf(const char* file) {
    relativePath(gRelative, file, gSettings.modelFolder);
    const char* chosen = std::strlen(gRelative) < static_cast<std::size_t>(kPathBytes) ? gRelative : file;
    joinPath(gNewPath, sizeof gNewPath, chosen, "");
}

void learn(const char* oldFolder, const char* newPath) {
    if (gFolderRemaps.count >= kFolderRemapCapacity) return; // full: nothing more is learned
    FolderRemap& entry = gFolderRemaps.entries[gFolderRemaps.count];
    joinPath(entry.oldFolder, sizeof entry.oldFolder, oldFolder, "");
    folderOf(entry.newFolder, newPath);
    ++gFolderRemaps.count;
}

// Step 4 of a broken entry: the first learned substitution whose file is present renews it.
bool renewByInference() {
    for (int i = 0; i < gFolderRemaps.count; ++i) {
        const FolderRemap& entry = gFolderRemaps.entries[i];
        if (std::strcmp(entry.oldFolder, gFolder) != 0) continue;
        if (!presentBelowModel(entry.newFolder, gName)) continue;
        consolePrint("%s", japaneseMode() ? kInferredJa : "(inferred)");
        storedPathOf(gCandidate);
        consolePrint(" => (renew) %s ", gNewPath);
        return true;
    }
    return false;
}

Answer askToSearch() {
    MessageText message;
    clearMessageText(&message);
    if (japaneseMode()) {
        appendPiece(&message, kTextureOrSphereJa);
        appendPiece(&message, " \r\n");
        appendPieceWithText(&message, " %s \r\n", gName);
        appendPiece(&message, " \r\n");
        appendPiece(&message, kNotFoundJa);
        appendPiece(&message, kSearchNextJa);
    } else {
        appendPiece(&message, " Texture or sphere: \r\n");
        appendPiece(&message, " \r\n");
        appendPieceWithText(&message, " %s \r\n", gName);
        appendPiece(&message, " \r\n");
        appendPiece(&message, " not found.  \r\n");
        appendPiece(&message, " Please select it on the next dialogue. (continue:OK) \r\n");
    }
    consolePrint("\n");
    return askUser(&message, MessageKind::ContinuePrompt);
}

// Texture k's own path names an existing file relative to the model's folder.
bool texturePresent(int k) {
    return !gModel.textureTooLong[k] && presentBelowModel(gModel.texturePaths[k], "");
}

void printSharedToon() { consolePrint("%s", japaneseMode() ? kSharedToonJa : kSharedToonWord); }

bool equalsNoCase(const char* text, const char* lowerAscii, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerAscii[i]) return false;
    }
    return true;
}

// The model can store `path` as a link: a UTF-16 model holds no byte that is no character.
bool storable(const char* path) { return gModel.textEncoding != 0 || !holdsEscapedByte(path); }

// The file found for link k, to offer at the pick, as a full path in gOffered: one the model can
// store and that is still there.
bool offerFor(int k) {
    const char* candidate = gLinkResults[k].candidate;
    return candidate[0] != '\0' && storable(candidate) &&
           joinPath(gOffered, sizeof gOffered, gSettings.modelFolder, candidate) == 0 && isPresent(gOffered);
}

// Link k's file exists under garbled names and the user would rather keep them: the link is
// renewed to them, as to a file picked.
bool renewByTwin(int k) {
    if (gRename != RenameAnswer::No || gLinkResults[k].repair != LinkRepair::Rename || !offerFor(k)) return false;
    consolePrint("%s", japaneseMode() ? kGarbledNameJa : "(garbled name)");
    storedPathOf(gOffered);
    consolePrint(" => (renew) %s ", gNewPath);
    learn(gFolder, gNewPath);
    return true;
}

// Link k's file exists under garbled names and the user wants them put right.
bool renameTwin(int k) {
    if (gRename != RenameAnswer::Yes || gLinkResults[k].repair != LinkRepair::Rename) return false;
    const int renamed = platform::renameGarbledNames(gSettings.modelFolder, gModel.texturePaths[k]);
    // A folder's listing read before the rename may be taken for unchanged (its change time is
    // only as fine as the system's clock tick).
    platform::forgetFolderListings();
    if (renamed < 0 || !texturePresent(k)) return false;
    consolePrint("%s", japaneseMode() ? kRenamedJa : "(renamed)");
    return true;
}

// Whether to rename the garbled names broken links find their files under, when there are any:
// 0 asked (or nothing to ask), -1 Cancel.
int askToRename() {
    gRename = RenameAnswer::NotAsked;
    int count = 0;
    for (int k = 0; k < gModel.keptTextureCount; ++k)
        if (gLinkResults[k].repair == LinkRepair::Rename && linkVerdict(k) == LinkVerdict::Broken) ++count;
    if (count == 0) return 0;
    MessageText message;
    clearMessageText(&message);
    if (japaneseMode()) {
        appendPieceWithNumber(&message, kGarbledCountJa, count);
        appendPiece(&message, kUnpackedWronglyJa);
        appendPiece(&message, kFoundOnlyGarbledJa);
        appendPiece(&message, " \r\n");
        appendPiece(&message, kRenameFilesJa);
        appendPiece(&message, kToModelNamesJa);
        appendPiece(&message, kElseRenewGarbledJa);
    } else {
        appendPieceWithNumber(&message, " %d texture link(s) find their files \r\n", count);
        appendPiece(&message, " only under names garbled by unpacking \r\n");
        appendPiece(&message, " with another code page. \r\n");
        appendPiece(&message, " \r\n");
        appendPiece(&message, " Rename those folders and files \r\n");
        appendPiece(&message, " to the names the model uses? \r\n");
        appendPiece(&message, " (No: the links are renewed to the garbled names) (Y/N/Cancel) \r\n");
    }
    const Answer answer = askUser(&message, MessageKind::Question);
    if (answer == Answer::Cancel) return -1;
    consolePrint("\n");
    gRename = answer == Answer::No ? RenameAnswer::No : RenameAnswer::Yes;
    return 0;
}

// Step 5 of a broken entry: the user finds the file. 0 renewed, -1 the run ends.
int renewByDialog(int k, const char* texturePath) {
    if (askToSearch() == Answer::Cancel) return -1;
    // The title names the texture as far as it fits; it is only shown.
    joinPath(gTitle, sizeof gTitle, kDialogTitlePrefix, "");
    copyPathBounded(gTitle + std::strlen(gTitle), sizeof gTitle - std::strlen(gTitle), texturePath);
    gChosen[0] = '\0'; // a cancelled dialog leaves it untouched: the message then names nothing
    // A file found for the link is offered: the user takes it or picks another.
    const int opened = offerFor(k)
                           ? openFileDialogOffering(gChosen, FileKind::Image, gSettings.modelFolder, gOffered, gTitle,
                                                    texturePath)
                           : openFileDialogTitled(gChosen, FileKind::Image, gSettings.modelFolder, gTitle, texturePath);
    if (opened != 0 || !isPresent(gChosen)) {
        consolePrint("\nCannot find tex(%d) again: %s \n", k, platform::shownPath(gChosen));
        return -1;
    }
    storedPathOf(gChosen);
    consolePrint("\n => (renew) %s ", gNewPath);
    if (!gModel.textureTooLong[k]) learn(gFolder, gNewPath);
    return 0;
}

} // namespace

void clearFolderRemaps() { gFolderRemaps.count = 0; }

bool isSharedToonName(const char* texturePath) {
    // "toon" two digits ".bmp": ten bytes, nothing before or after.
    if (std::strlen(texturePath) != 10 || !equalsNoCase(texturePath, "toon", 4) ||
        !equalsNoCase(texturePath + 6, ".bmp", 4))
        return false;
    const char tens = texturePath[4], ones = texturePath[5];
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9') return false;
    const int number = (tens - '0') * 10 + (ones - '0');
    return number >= kSharedToonFirst && number <= kSharedToonLast;
}

LinkVerdict linkVerdict(int k) {
    if (texturePresent(k)) return LinkVerdict::Present;
    return isSharedToonName(gModel.texturePaths[k]) ? LinkVerdict::SharedToon : LinkVerdict::Broken;
}

int checkLinks() {
    int broken = 0;
    for (int k = 0; k < gModel.keptTextureCount; ++k) {
        LinkResult& result = gLinkResults[k];
        result.verdict = linkVerdict(k);
        result.repair = result.verdict == LinkVerdict::Broken ? LinkRepair::NeedsPick : LinkRepair::None;
        // Nothing found yet: the results of an earlier model must not show through.
        result.found = LinkFound::None;
        result.candidate[0] = '\0';
        if (result.verdict == LinkVerdict::Broken) ++broken;
    }
    if (broken > 0) findLinkCandidates();
    return broken;
}

int checkTextureLinks() {
    const int broken = checkLinks();
    consolePrint("pmx dir: %s \n", platform::shownPath(gSettings.modelFolder));
    for (int k = 0; k < gModel.keptTextureCount; ++k) {
        consolePrint("%d: %s ", k, gModel.texturePaths[k]);
        switch (gLinkResults[k].verdict) {
        case LinkVerdict::Present: consolePrint("(ok)"); break;
        case LinkVerdict::SharedToon: printSharedToon(); break;
        case LinkVerdict::Broken: consolePrint("(=NG=)"); break;
        }
        consolePrint("\n");
    }
    if (gModel.droppedTextureCount > 0)
        consolePrint("%d texture link(s) past the %dth not checked. \n", gModel.droppedTextureCount,
                     kTextureCapacity);
    consolePrint("\n");
    return broken;
}

int confirmTextureRepair(const char* modelPath, int brokenCount) {
    MessageText message;
    clearMessageText(&message);
    if (japaneseMode()) {
        char name[kPathBytes];
        if (findFileName(name, modelPath) != 0) name[0] = '\0';
        appendPiece(&message, kModelHeadJa);
        appendPieceWithText(&message, " %s \r\n", name);
        appendPiece(&message, kInModelJa);
        appendPieceWithNumber(&message, kBrokenCountJa, brokenCount);
        appendPiece(&message, kSeemBrokenJa);
        appendPiece(&message, " \r\n");
        appendPiece(&message, kAskRepairJa);
    } else {
        appendPiece(&message, " Broken settings of \r\n");
        appendPieceWithNumber(&message, " %d texture link(s) are found. \r\n", brokenCount);
        appendPiece(&message, " \r\n");
        appendPiece(&message, " Do you like to fix them?  (Y/N/Cancel) \r\n");
    }
    Answer answer = askUser(&message, MessageKind::Question);
    if (answer == Answer::Cancel) return -1;
    consolePrint("\n");
    return answer == Answer::No ? 0 : 1;
}

int repairTextureLinks() {
    if (askToRename() != 0) return -1;
    consolePrint("--- \n");
    for (int k = 0; k < gModel.keptTextureCount; ++k) {
        const char* texturePath = gModel.texturePaths[k];
        consolePrint("%d: %s ", k, texturePath);
        std::memcpy(gModel.correctedTexturePaths[k], texturePath, sizeof gModel.correctedTexturePaths[k]);
        folderOf(gFolder, texturePath);
        fileNameOf(gName, texturePath);
        const LinkVerdict verdict = linkVerdict(k);
        if (verdict == LinkVerdict::Present) {
            consolePrint("(ok)");
        } else if (verdict == LinkVerdict::SharedToon) {
            printSharedToon(); // kept as it is
        } else if (!renameTwin(k)) {
            const bool renewed = !gModel.textureTooLong[k] && (renewByTwin(k) || renewByInference());
            if (!renewed && renewByDialog(k, texturePath) != 0) {
                consolePrint("\n"); // the run ends here: this is its last output
                return -1;
            }
            joinPath(gModel.correctedTexturePaths[k], sizeof gModel.correctedTexturePaths[k], gNewPath, "");
            gModel.textureRenewed[k] = true;
            gModel.texturesChanged = true;
        }
        consolePrint("\n");
    }
    consolePrint("\n");
    return 0;
}
