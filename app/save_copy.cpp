// Saving the repaired copy and the closing notices (see save_copy.h).
#include "app/save_copy.h"

#include <cstring>

#include "app/argument_list.h"
#include "app/message_text.h"
#include "app/path_join.h"
#include "app/texts_ja.h"
#include "io/path.h"
#include "platform/console.h"
#include "platform/platform.h"
#include "pmx/writer.h"
#include "text/language.h"

namespace {

void notifySaved(const char* destination) {
    char name[kPathBytes];
    if (findFileName(name, destination) != 0) name[0] = '\0';
    MessageText message;
    clearMessageText(&message);
    if (japaneseMode()) {
        appendPiece(&message, kRepairedJa);
        appendPiece(&message, " \r\n");
        appendPieceWithText(&message, " %s \r\n", name);
        appendPiece(&message, " \r\n");
        appendPiece(&message, kSavedToJa);
    } else {
        appendPiece(&message, " Fixed model file  \r\n");
        appendPiece(&message, " \r\n");
        appendPieceWithText(&message, " %s \r\n", name);
        appendPiece(&message, " \r\n");
        appendPiece(&message, " was saved. \r\n");
    }
    notifyUser(&message);
    consolePrint("\n");
}

// A model entry from `firstLater` on names `destination`: the copy would replace a model
// before the run reads it.
bool laterModelIs(const char* destination, int firstLater) {
    char full[kPathBytes];
    for (int i = firstLater; i < gArguments.count; ++i) {
        const char* entry = argumentEntry(i);
        if (isOptionEntry(entry)) continue;
        std::uint32_t length = platform::fullPathName(entry, kPathBytes, full);
        const char* path = length == 0 ? entry : full;
        if (length < static_cast<std::uint32_t>(kPathBytes) && platform::sameFile(path, destination))
            return true;
    }
    return false;
}

// A closing notice of two Japanese lines or one English piece (no line end).
void notifyClosing(const char* firstJa, const char* secondJa, const char* english) {
    MessageText message;
    clearMessageText(&message);
    if (japaneseMode()) {
        appendPiece(&message, firstJa);
        appendPiece(&message, secondJa);
    } else {
        appendPiece(&message, english);
    }
    notifyUser(&message);
    consolePrint("\n");
}

} // namespace

int newCopyName(char* out, std::size_t capacity, const char* modelPath) {
    char file[kPathBytes];
    char extension[kPathBytes];
    char stem[kPathBytes];
    const std::size_t length = std::strlen(modelPath);
    if (length >= sizeof stem) return -1;
    // The copy's path is the model's with "-new" before its file name's extension, so the copy
    // lands beside the source also when the name follows a slash.
    fileNameOf(file, modelPath);
    extensionOf(extension, file);
    const std::size_t stemLength = length - std::strlen(extension);
    std::memcpy(stem, modelPath, stemLength);
    stem[stemLength] = '\0';
    return joinPath(out, capacity, stem, "-new", extension);
}

int saveRepairedCopy(const char* modelPath, int firstLater) {
    char destination[kPathBytes];
    if (newCopyName(destination, sizeof destination, modelPath) != 0) {
        consolePrint("Too long path for the new file. \n");
        consolePrint("New PMX save failed. \n");
        return -1;
    }
    if (laterModelIs(destination, firstLater)) {
        consolePrint("Copy would replace a later model : %s\n", platform::shownPath(destination));
        consolePrint("New PMX save failed. \n");
        return -1;
    }
    if (writePatchedPmx(destination, modelPath) != 0) {
        consolePrint("New PMX save failed. \n");
        return -1;
    }
    consolePrint("Save OK. \n");
    consolePrint("\n");
    notifySaved(destination);
    return 0;
}

void notifyNothingFound() {
    notifyClosing(kNothingToRepairJa, kNotFoundAnyJa, " No broken settings found. ");
}

void notifyRenamed() {
    notifyClosing(kRenameFilesJa, kRenamedToModelNamesJa, " Folders and files renamed to the names the model uses. ");
}

void notifyModelUnread() {
    notifyClosing(kModelFileJa, kCouldNotReadJa, " Model file could not be read. ");
}
