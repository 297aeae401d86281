// UTF-8 -> Shift-JIS with its console trace, byte for byte: the echo of each character, the
// reports of malformed sequences, the stop at the second one, and the summary lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console_trace.h"
#include "text/convert.h"

using namespace std::string_literals;

namespace {

std::string summary(int utfstat, int cttotal) {
    return "\nutfstat = " + std::to_string(utfstat) + ". \n  cttotal = " + std::to_string(cttotal) +
           ". \ndone.\n";
}

struct Converted {
    int utfstat;
    std::string sjis;
    std::string trace;
};

// The input is copied to a buffer of exactly its length plus the terminator, so the sanitizer
// build catches a read past the end.
Converted convert(const std::string& utf8) {
    std::vector<unsigned char> in(utf8.begin(), utf8.end());
    in.push_back(0);
    std::vector<char> out(2 * utf8.size() + 1, '#');
    ConsoleTrace trace;
    int utfstat = utf8ToSjis(out.data(), in.data());
    return {utfstat, std::string(out.data()), trace.text()};
}

} // namespace

TEST(Utf8ToSjisTrace, AsciiIsStoredWholeAndEchoedLetterByLetter) {
    Converted c = convert("abcd");
    EXPECT_EQ(c.utfstat, 7);
    EXPECT_EQ(c.sjis, "abcd");
    EXPECT_EQ(c.trace, "abcd" + summary(7, 4));
}

TEST(Utf8ToSjisTrace, LineEndsTildeAndBackslashEchoTheirOwnWay) {
    Converted c = convert("a\r\n~\\");
    EXPECT_EQ(c.sjis, "a\r\n\x81\xB0\\");
    // CR echoes as a space, LF as a line end, "~" as the low byte of its code 0x81B0.
    EXPECT_EQ(c.trace, "a \n\xB0\\" + summary(7, 5));
}

TEST(Utf8ToSjisTrace, ThreeByteCharacterShowsBytesCodePointAndCode) {
    Converted c = convert("\xE3\x83\x9F");
    EXPECT_EQ(c.sjis, "\x83\x7E");
    EXPECT_EQ(c.trace, "[E3 83 9F (30DF)] [\x83~](83:7E) " + summary(7, 3));
}

TEST(Utf8ToSjisTrace, HalfWidthKatakanaIsOneByteAndItsTraceCarriesAZeroHighByte) {
    Converted c = convert("\xEF\xBD\xB1");
    EXPECT_EQ(c.sjis, "\xB1");
    EXPECT_EQ(c.trace, "[EF BD B1 (FF71)] [\0\xB1](00:B1) "s + summary(7, 3));
}

TEST(Utf8ToSjisTrace, OverridesWinForThreeByteCharacters) {
    Converted c = convert("\xEF\xBD\x9E\xE2\x89\x92");
    EXPECT_EQ(c.sjis, "\x81\x60\x87\x90");
    EXPECT_EQ(c.trace, "[EF BD 9E (FF5E)] [\x81`](81:60) [E2 89 92 (2252)] [\x87\x90](87:90) " +
                           summary(7, 6));
}

TEST(Utf8ToSjisTrace, CharacterWithoutCodeIsDroppedAndTracedAsQuestionMark) {
    Converted c = convert("a\xD4\x80" "b");
    EXPECT_EQ(c.utfstat, 7);
    EXPECT_EQ(c.sjis, "ab");
    EXPECT_EQ(c.trace, "a[D4 80 (0500)] [\0?](00:3F) b"s + summary(7, 4));
}

TEST(Utf8ToSjisTrace, FourByteCharacterIsTracedButNotStored) {
    Converted c = convert("\xF0\x9F\x98\x80");
    EXPECT_EQ(c.utfstat, 7);
    EXPECT_EQ(c.sjis, "");
    EXPECT_EQ(c.trace, "[F0 9F 98 80 (01F600)] " + summary(7, 4));
}

TEST(Utf8ToSjisTrace, FirstMalformedSequenceSwallowsTheBadByteAndGoesOn) {
    Converted c = convert("\xC3\x41" "B");
    EXPECT_EQ(c.utfstat, 0);
    EXPECT_EQ(c.sjis, "B");
    EXPECT_EQ(c.trace, "C3 41(x) B" + summary(0, 3));
}

TEST(Utf8ToSjisTrace, SecondMalformedSequenceStopsTheConversion) {
    Converted c = convert("\xC3\x41" "B\x80" "CD");
    EXPECT_EQ(c.utfstat, 0);
    EXPECT_EQ(c.sjis, "B");
    EXPECT_EQ(c.trace, "C3 41(x) B80(x) " + summary(0, 4));
}

struct MalformedCase {
    std::string utf8;
    std::string report;
    int cttotal;
};

class Utf8ToSjisMalformed : public testing::TestWithParam<MalformedCase> {};

TEST_P(Utf8ToSjisMalformed, ReportListsEveryPrefixReadLongestFirst) {
    const MalformedCase& m = GetParam();
    Converted c = convert(m.utf8);
    EXPECT_EQ(c.utfstat, 0);
    EXPECT_EQ(c.sjis, "");
    EXPECT_EQ(c.trace, m.report + summary(0, m.cttotal));
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, Utf8ToSjisMalformed,
    testing::Values(
        MalformedCase{"\x80", "80(x) ", 1}, MalformedCase{"\xBF", "BF(x) ", 1},
        MalformedCase{"\xF8", "F8(x) ", 1}, MalformedCase{"\xFF", "FF(x) ", 1},
        // Cut by the end of the text: the terminator is never consumed.
        MalformedCase{"\xC3", "", 1}, MalformedCase{"\xE3", "", 1},
        MalformedCase{"\xE3\x41", "[E3 41(x) -- ] ", 2},
        MalformedCase{"\xE3\x83", "[E3 83(x) -- ] ", 2},
        MalformedCase{"\xE3\x83\x41", "[E3 83 41(x)] [E3 83(x) -- ] ", 3},
        MalformedCase{"\xF0", "F0(x) ", 1},
        MalformedCase{"\xF0\x41", "[F0 41(x) -- -- ] F0(x) ", 2},
        MalformedCase{"\xF0\x9F", "[F0 9F(x) -- -- ] F0(x) ", 2},
        MalformedCase{"\xF0\x9F\x41", "[F0 9F 41(x) -- ] [F0 9F(x) -- -- ] F0(x) ", 3},
        MalformedCase{"\xF0\x9F\x98", "[F0 9F 98(x) -- ] [F0 9F(x) -- -- ] F0(x) ", 3},
        MalformedCase{"\xF0\x9F\x98\x41",
                      "[F0 9F 98 41(x)] [F0 9F 98(x) -- ] [F0 9F(x) -- -- ] F0(x) ", 4}));
