// Message texts (see message_text.h). A piece is formatted into a line of the text's own size
// and appended with appendMessageText, which keeps the text within its 520 bytes and cuts it
// only between characters.
#include "app/message_text.h"

#include <cstdint>
#include <cstdio>

#include "platform/console.h"
#include "platform/platform.h"
#include "text/convert.h"
#include "text/language.h"
#include "text/sjis_tables.h"

namespace {

const char kCaption[] = "Quorvane";

char gPieceLine[kMessageTextBytes];

// A piece formatted past the line's end loses its tail; a lead byte left at the cut goes too.
void appendFormattedLine(MessageText* message, int written) {
    if (written < 0) return;
    if (static_cast<std::size_t>(written) >= sizeof gPieceLine) trimDanglingLeadByte(gPieceLine);
    appendMessageText(message->text, sizeof message->text, gPieceLine);
}

void printMessage(const MessageText* message) {
    if (japaneseMode())
        consolePrint("%s", message->text);
    else
        consolePrintUtf8(message->text);
}

std::uint32_t flagsOf(MessageKind kind) {
    const std::uint32_t shown = platform::kMbIconInformation | platform::kMbTopmost;
    switch (kind) {
    case MessageKind::Question: return platform::kMbYesNoCancel | shown;
    case MessageKind::ContinuePrompt: return platform::kMbOkCancel | shown;
    case MessageKind::Notice: break;
    }
    return platform::kMbOk | shown;
}

} // namespace

void clearMessageText(MessageText* message) { message->text[0] = '\0'; }

void appendPiece(MessageText* message, const char* piece) {
    appendFormattedLine(message, std::snprintf(gPieceLine, sizeof gPieceLine, "%s", piece));
}

void appendPieceWithText(MessageText* message, const char* format, const char* argument) {
    appendFormattedLine(message, std::snprintf(gPieceLine, sizeof gPieceLine, format, argument));
}

void appendPieceWithNumber(MessageText* message, const char* format, int argument) {
    appendFormattedLine(message, std::snprintf(gPieceLine, sizeof gPieceLine, format, argument));
}

Answer askUser(const MessageText* message, MessageKind kind) {
    printMessage(message);
    int id = platform::messageBox(message->text, kCaption, flagsOf(kind), !japaneseMode());
    switch (id) {
    case platform::kIdYes: consolePrint(" => YES \n"); break;
    case platform::kIdNo: consolePrint(" => NO \n"); break;
    case platform::kIdCancel: consolePrint(" => Cancel \n"); return Answer::Cancel;
    case platform::kIdOk:
        if (kind == MessageKind::ContinuePrompt) consolePrint(" => OK \n");
        break;
    default: break;
    }
    if (kind == MessageKind::Question) return id == platform::kIdNo ? Answer::No : Answer::Yes;
    return Answer::Ok;
}

void notifyUser(const MessageText* message) {
    printMessage(message);
    (void)platform::messageBox(message->text, kCaption, flagsOf(MessageKind::Notice), !japaneseMode());
}
