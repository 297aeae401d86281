// Message pieces: one formatted past the end of the piece line loses its tail, and a lead byte
// left at the cut goes with it (half a character would be converted to something else).
#include <gtest/gtest.h>

#include <string>

#include "app/message_text.h"
#include "text/language.h"

namespace {

TEST(MessageText, LeadByteLeftAtTheCutOfALongPieceGoes) {
    setJapaneseMode(false);
    // The piece line keeps one byte less than its size: these and the lead byte of あ.
    const std::string kept(kMessageTextBytes - 2, 'a');
    MessageText message;
    clearMessageText(&message);
    appendPieceWithText(&message, "%s", (kept + "\x82\xA0").c_str());
    EXPECT_EQ(std::string(message.text), kept);
}

} // namespace
