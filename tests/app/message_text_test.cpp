// Message pieces: one formatted past the end of the piece line loses its tail, and an escape
// left cut short at the end goes with it (its marker alone would pass as a character).
#include <gtest/gtest.h>

#include <string>

#include "app/message_text.h"
#include "text/language.h"

namespace {

TEST(MessageText, EscapeCutShortAtTheEndOfALongPieceGoes) {
    setJapaneseMode(true);
    // The piece line keeps one byte less than its size: these and two bytes of the escape of
    // the byte 0x83 (FF, then the digits A2 A3).
    const std::string kept(kMessageTextBytes - 3, 'a');
    MessageText message;
    clearMessageText(&message);
    appendPieceWithText(&message, "%s", (kept + "\xFF\xA2\xA3").c_str());
    setJapaneseMode(false);
    EXPECT_EQ(std::string(message.text), kept);
}

} // namespace
