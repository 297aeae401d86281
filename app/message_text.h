// Composing the bilingual questions and notices and showing them: the text is printed on the
// console as composed, then shown in a message box whose answer is echoed.
#pragma once

#include <cstddef>

constexpr std::size_t kMessageTextBytes = 520;

// Shift-JIS in Japanese mode; in English mode UTF-8 (each piece converted as appended).
struct MessageText {
    char text[kMessageTextBytes];
};

enum class MessageKind { Question, ContinuePrompt, Notice };

enum class Answer { Yes, No, Cancel, Ok };

void clearMessageText(MessageText* message);
// Appends a piece without an argument.
void appendPiece(MessageText* message, const char* piece);
// Appends a piece formatted with one argument (each piece is formatted on its own line first).
void appendPieceWithText(MessageText* message, const char* format, const char* argument);
void appendPieceWithNumber(MessageText* message, const char* format, int argument);

// Prints the text, asks in a message box of the kind and echoes the answer. An answer the
// kind does not know counts as Yes (question) or OK (continue prompt).
Answer askUser(const MessageText* message, MessageKind kind);
// Prints the text and shows it as a notice; the answer is not used.
void notifyUser(const MessageText* message);
