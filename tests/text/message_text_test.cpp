// Appending message pieces to a bounded buffer: the refusal of a full text, and cuts that
// never pass the capacity nor split a UTF-8 or Shift-JIS character, in both language modes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "text/convert.h"
#include "text/language.h"

namespace {

constexpr std::size_t kGuard = 16;

// A buffer of `capacity` bytes holding `text`, followed by guard bytes that must survive.
class GuardedBuffer {
public:
    GuardedBuffer(std::size_t capacity, const std::string& text)
        : capacity_(capacity), bytes_(capacity + kGuard, '#') {
        std::memcpy(bytes_.data(), text.c_str(), text.size() + 1);
    }
    char* data() { return bytes_.data(); }
    std::size_t capacity() const { return capacity_; }
    std::string text() const { return std::string(bytes_.data()); }
    bool guardIntact() const { return std::string(bytes_.begin() + static_cast<long>(capacity_), bytes_.end()) == std::string(kGuard, '#'); }

private:
    std::size_t capacity_;
    std::vector<char> bytes_;
};

class LanguageMode {
public:
    explicit LanguageMode(bool japanese) : saved_(japaneseMode()) { setJapaneseMode(japanese); }
    ~LanguageMode() { setJapaneseMode(saved_); }

private:
    bool saved_;
};

} // namespace

TEST(MessageText, TextOf520BytesRefusesFurtherPieces) {
    GuardedBuffer buffer(1024, std::string(520, 'a'));
    EXPECT_EQ(appendSjisAsUtf8(buffer.data(), buffer.capacity(), "b"), -1);
    EXPECT_EQ(buffer.text(), std::string(520, 'a'));
}

TEST(MessageText, TextOf519BytesStillTakesAPiece) {
    GuardedBuffer buffer(1024, std::string(519, 'a'));
    EXPECT_EQ(appendSjisAsUtf8(buffer.data(), buffer.capacity(), "\x82\xA0" "b"), 7);
    EXPECT_EQ(buffer.text(), std::string(519, 'a') + "\xE3\x81\x82" "b");
}

TEST(MessageText, FullBufferTakesNothingAndKeepsItsTerminator) {
    GuardedBuffer buffer(520, std::string(519, 'a'));
    appendSjisAsUtf8(buffer.data(), buffer.capacity(), "\x82\xA0\x82\xA2");
    EXPECT_EQ(buffer.text(), std::string(519, 'a'));
    EXPECT_TRUE(buffer.guardIntact());
}

TEST(MessageText, UnterminatedBufferIsRefused) {
    GuardedBuffer buffer(4, "");
    std::memcpy(buffer.data(), "abcd", 4);
    EXPECT_EQ(appendSjisAsUtf8(buffer.data(), buffer.capacity(), "e"), -1);
    EXPECT_TRUE(buffer.guardIntact());
}

TEST(MessageText, PieceThatDoesNotFitIsCutAtTheCapacity) {
    GuardedBuffer buffer(10, "abc");
    appendSjisAsUtf8(buffer.data(), buffer.capacity(), "defghijkl");
    EXPECT_EQ(buffer.text(), "abcdefghi");
    EXPECT_TRUE(buffer.guardIntact());
}

TEST(MessageText, Utf8CutNeverSplitsACharacter) {
    // Three bytes of room take the first character (E3 81 82); the second would need three more.
    GuardedBuffer roomForOne(8, "abcd");
    appendSjisAsUtf8(roomForOne.data(), roomForOne.capacity(), "\x82\xA0\x82\xA2");
    EXPECT_EQ(roomForOne.text(), "abcd\xE3\x81\x82");
    EXPECT_TRUE(roomForOne.guardIntact());

    GuardedBuffer roomForNone(7, "abcd");
    appendSjisAsUtf8(roomForNone.data(), roomForNone.capacity(), "\x82\xA0");
    EXPECT_EQ(roomForNone.text(), "abcd");
    EXPECT_TRUE(roomForNone.guardIntact());
}

TEST(MessageText, EnglishModeConvertsThePieceToUtf8) {
    LanguageMode english(false);
    GuardedBuffer buffer(64, "x");
    EXPECT_EQ(appendMessageText(buffer.data(), buffer.capacity(), "\x82\xA0\\"), buffer.data());
    EXPECT_EQ(buffer.text(), "x\xE3\x81\x82\\");
}

TEST(MessageText, JapaneseModeAppendsTheShiftJisBytesUnchanged) {
    LanguageMode japanese(true);
    GuardedBuffer buffer(64, "x");
    EXPECT_EQ(appendMessageText(buffer.data(), buffer.capacity(), "\x82\xA0~\x81\x60"), buffer.data());
    EXPECT_EQ(buffer.text(), "x\x82\xA0~\x81\x60");
}

TEST(MessageText, JapaneseModeCutNeverSplitsACharacter) {
    LanguageMode japanese(true);
    // Room for three bytes: the first character and not the lead byte of the second.
    GuardedBuffer buffer(6, "ab");
    appendMessageText(buffer.data(), buffer.capacity(), "\x82\xA0\x82\xA2");
    EXPECT_EQ(buffer.text(), "ab\x82\xA0");
    EXPECT_TRUE(buffer.guardIntact());
    // A piece ending in a lead byte without its trail byte leaves that byte out.
    GuardedBuffer dangling(64, "ab");
    appendMessageText(dangling.data(), dangling.capacity(), "c\x93");
    EXPECT_EQ(dangling.text(), "abc");
}
