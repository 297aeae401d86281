// Message texts: a Shift-JIS name appended as UTF-8 in English mode and kept in Japanese mode,
// and the 520-byte bound, reached between characters.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/message_text.h"
#include "text/language.h"

namespace {

TEST(MessageText, LongTextStopsWithinItsBufferBetweenCharacters) {
    std::string name; // モ, 200 times: no more than two pieces fit
    for (int i = 0; i < 200; ++i) name += "\x83\x82";
    for (bool japanese : {true, false}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        setJapaneseMode(japanese);
        const std::string character = japanese ? "\x83\x82" : "\xE3\x83\xA2";
        MessageText m;
        std::memset(m.text, 'x', sizeof m.text);
        clearMessageText(&m);
        for (int i = 0; i < 4; ++i) appendPieceWithText(&m, "%s", name.c_str());
        const std::string text(m.text, strnlen(m.text, sizeof m.text));
        ASSERT_LT(text.size(), kMessageTextBytes);
        EXPECT_GE(text.size(), kMessageTextBytes - character.size());
        std::string whole;
        while (whole.size() < text.size()) whole += character;
        EXPECT_EQ(text, whole);
    }
    setJapaneseMode(false);
}

} // namespace
