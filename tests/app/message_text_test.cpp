// Message texts: English pieces converted to UTF-8 as appended, Japanese pieces kept as
// Shift-JIS, the 520-byte bound with its cut between characters, and the answer echoes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/message_text.h"
#include "tests/support/io_test_files.h"
#include "tests/support/stdin_feed.h"
#include "text/language.h"

namespace {

const char kNameSjis[] = "\x83\x82\x83\x66\x83\x8B.pmx";  // モデル.pmx
const char kNameUtf8[] = "\xE3\x83\xA2\xE3\x83\x87\xE3\x83\xAB.pmx";

TEST(MessageText, EnglishModeConvertsAFileNameToUtf8) {
    setJapaneseMode(false);
    MessageText m;
    clearMessageText(&m);
    appendPiece(&m, " Fixed model file  \r\n");
    appendPieceWithText(&m, " %s \r\n", kNameSjis);
    appendPieceWithNumber(&m, " %d texture link(s) are found. \r\n", 12);
    EXPECT_EQ(std::string(m.text), std::string(" Fixed model file  \r\n ") + kNameUtf8 +
                                       " \r\n 12 texture link(s) are found. \r\n");
}

TEST(MessageText, JapaneseModeKeepsShiftJis) {
    setJapaneseMode(true);
    MessageText m;
    clearMessageText(&m);
    appendPieceWithText(&m, " %s \r\n", kNameSjis);
    setJapaneseMode(false);
    EXPECT_EQ(std::string(m.text), std::string(" ") + kNameSjis + " \r\n");
}

TEST(MessageText, LongTextStopsWithinItsBufferBetweenCharacters) {
    // 200 double-byte characters per piece: the third piece no longer fits whole.
    std::string name;
    for (int i = 0; i < 200; ++i) name += "\x83\x82";
    for (bool japanese : {true, false}) {
        setJapaneseMode(japanese);
        MessageText m;
        std::memset(m.text, 'x', sizeof m.text);
        clearMessageText(&m);
        for (int i = 0; i < 4; ++i) appendPieceWithText(&m, "%s", name.c_str());
        const std::size_t length = std::strlen(m.text);
        ASSERT_LT(length, kMessageTextBytes);
        if (japanese) {
            EXPECT_EQ(length % 2, 0u); // whole Shift-JIS characters only
            EXPECT_GE(length, kMessageTextBytes - 2);
        } else {
            EXPECT_EQ(length % 3, 0u); // whole UTF-8 characters only
            EXPECT_GE(length, kMessageTextBytes - 3);
        }
    }
    setJapaneseMode(false);
}

struct AnswerCase {
    const char* input;
    MessageKind kind;
    Answer answer;
    const char* echo;
};

TEST(MessageText, AnswersAreEchoedAndUnknownOnesCountAsYesOrOk) {
    setJapaneseMode(false);
    const AnswerCase cases[] = {
        {"y\n", MessageKind::Question, Answer::Yes, " => YES \n"},
        {"No\n", MessageKind::Question, Answer::No, " => NO \n"},
        {"c\n", MessageKind::Question, Answer::Cancel, " => Cancel \n"},
        {"", MessageKind::Question, Answer::Cancel, " => Cancel \n"},
        {"\n", MessageKind::ContinuePrompt, Answer::Ok, " => OK \n"},
        {"cancel\n", MessageKind::ContinuePrompt, Answer::Cancel, " => Cancel \n"},
    };
    for (const AnswerCase& c : cases) {
        MessageText m;
        clearMessageText(&m);
        appendPiece(&m, " Q? \r\n");
        iotest::Capture capture;
        apptest::feedStdin(c.input);
        EXPECT_EQ(askUser(&m, c.kind), c.answer) << c.input;
        EXPECT_EQ(capture.text(), std::string(" Q? \r\n") + c.echo) << c.input;
    }
}

TEST(MessageText, NoticePrintsTheTextWithoutEcho) {
    setJapaneseMode(false);
    MessageText m;
    clearMessageText(&m);
    appendPiece(&m, " No broken settings found. ");
    iotest::Capture capture;
    apptest::feedStdin("");
    notifyUser(&m);
    EXPECT_EQ(capture.text(), " No broken settings found. ");
}

} // namespace
