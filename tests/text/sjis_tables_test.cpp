// The Shift-JIS <-> Unicode tables: the committed data against its generator, the tables'
// shape (counts, ranges, exact inverses), the rows where they part from code page 932, the
// compatibility overrides, and the two byte helpers.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "text/sjis_tables.h"

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool inUnicodeRanges(std::uint32_t cp) {
    return cp <= 0x04FF || (cp >= 0x1E00 && cp <= 0x9FFF) || (cp >= 0xF900 && cp <= 0xFFFF);
}

bool inSjisRanges(std::uint32_t code) {
    return code <= 0xFF || (code >= 0x8000 && code <= 0x9FFF) || (code >= 0xE000 && code <= 0xFCFF);
}

} // namespace

TEST(SjisTables, CommittedTablesEqualWhatTheGeneratorWrites) {
    if (std::system("python3 --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
    std::string fresh = testing::TempDir() + "sjis_tables_" +
                        std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
                        ".cpp";
    std::string command = std::string("python3 \"") + QV_SOURCE_DIR + "/tools/gen_sjis_tables.py\" \"" +
                          fresh + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::string generated = readFile(fresh);
    std::remove(fresh.c_str());
    std::string committed = readFile(std::string(QV_SOURCE_DIR) + "/text/sjis_tables.cpp");
    ASSERT_FALSE(generated.empty());
    // Not EXPECT_EQ: a failure would print two 200 KB texts.
    EXPECT_TRUE(generated == committed) << "text/sjis_tables.cpp differs from the generator's output";
}

TEST(SjisTables, CountsAndRangesHoldForEveryCode) {
    int defined = 0;
    int aboveBmp = 0;
    for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
        std::uint32_t cp = sjisToUnicode(code);
        if (cp == 0) continue;
        ++defined;
        if (cp > 0xFFFF) ++aboveBmp;
        ASSERT_TRUE(inSjisRanges(code)) << std::hex << code;
        ASSERT_FALSE(cp >= 0xE000 && cp <= 0xF8FF) << "private use at " << std::hex << code;
        if (code > 0xFF) {
            unsigned lead = code >> 8;
            unsigned trail = code & 0xFF;
            ASSERT_NE(lead, 0x80u) << std::hex << code;
            ASSERT_TRUE(trail >= 0x40 && trail <= 0xFC && trail != 0x7F) << std::hex << code;
        }
    }
    EXPECT_EQ(defined, 11398);
    EXPECT_EQ(aboveBmp, 303);

    int definedPoints = 0;
    for (std::uint32_t cp = 0; cp <= 0xFFFF; ++cp) {
        if (unicodeToSjis(cp) == 0) continue;
        ++definedPoints;
        ASSERT_TRUE(inUnicodeRanges(cp)) << std::hex << cp;
    }
    EXPECT_EQ(definedPoints, 11095);
}

TEST(SjisTables, BothDirectionsAreExactInverses) {
    for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
        std::uint32_t cp = sjisToUnicode(code);
        if (cp != 0 && cp <= 0xFFFF) {
            ASSERT_EQ(unicodeToSjis(cp), code) << std::hex << code;
        }
    }
    for (std::uint32_t cp = 0; cp <= 0xFFFF; ++cp) {
        std::uint16_t code = unicodeToSjis(cp);
        if (code != 0) {
            ASSERT_EQ(sjisToUnicode(code), cp) << std::hex << cp;
        }
    }
}

TEST(SjisTables, SingleBytesFollowJisX0201) {
    EXPECT_EQ(sjisToUnicode(0x00), 0u);
    for (std::uint32_t b = 0x01; b <= 0x7F; ++b) {
        std::uint32_t expected = b == 0x5C ? 0x00A5 : (b == 0x7E ? 0x203E : b);
        EXPECT_EQ(sjisToUnicode(b), expected) << std::hex << b;
    }
    for (std::uint32_t b = 0xA1; b <= 0xDF; ++b) {
        EXPECT_EQ(sjisToUnicode(b), 0xFF61 + (b - 0xA1)) << std::hex << b;
        EXPECT_EQ(unicodeToSjis(0xFF61 + (b - 0xA1)), b) << std::hex << b;
    }
    for (std::uint32_t b : {0x80u, 0xA0u, 0xFDu, 0xFEu, 0xFFu}) EXPECT_EQ(sjisToUnicode(b), 0u) << std::hex << b;
    // Backslash and tilde come from row 0x81 in this direction.
    EXPECT_EQ(unicodeToSjis(0x5C), 0x815F);
    EXPECT_EQ(unicodeToSjis(0x7E), 0x81B0);
}

struct TellingRow {
    std::uint32_t code;
    std::uint32_t codePoint; // 0: undefined
};

class SjisTellingRows : public testing::TestWithParam<TellingRow> {};

TEST_P(SjisTellingRows, RowDiffersFromCodePage932AsDocumented) {
    const TellingRow& row = GetParam();
    EXPECT_EQ(sjisToUnicode(row.code), row.codePoint);
    if (row.codePoint != 0 && row.codePoint <= 0xFFFF) {
        EXPECT_EQ(unicodeToSjis(row.codePoint), row.code);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SjisTellingRows,
    testing::Values(TellingRow{0x5C, 0x00A5}, TellingRow{0x7E, 0x203E}, TellingRow{0x815C, 0x2014},
                    TellingRow{0x815F, 0x005C}, TellingRow{0x8160, 0x301C}, TellingRow{0x8161, 0x2016},
                    TellingRow{0x817C, 0x2212}, TellingRow{0x8191, 0x00A2}, TellingRow{0x8192, 0x00A3},
                    TellingRow{0x81CA, 0x00AC}, TellingRow{0x81D4, 0xFF5F}, TellingRow{0x81D5, 0xFF60},
                    TellingRow{0x8740, 0x2460}, TellingRow{0xED40, 0x7843}, TellingRow{0xFA40, 0x8C57},
                    TellingRow{0x87A0, 0x2000B}, TellingRow{0xFC4B, 0x29A72}, TellingRow{0xA1, 0xFF61},
                    TellingRow{0xDF, 0xFF9F},
                    // The NEC mathematical symbols of code page 932 are not in the table.
                    TellingRow{0x8790, 0}, TellingRow{0x8791, 0}, TellingRow{0x8792, 0},
                    TellingRow{0x8794, 0}, TellingRow{0x8795, 0}, TellingRow{0x8796, 0},
                    TellingRow{0x8797, 0}, TellingRow{0x879A, 0}, TellingRow{0x879B, 0},
                    TellingRow{0x879C, 0},
                    // Outside the ranges, or with a trail byte no code uses.
                    TellingRow{0x8040, 0}, TellingRow{0xFCF5, 0}, TellingRow{0xFD40, 0}));

TEST(SjisTables, CodesOfBasePlusCombiningMarkAreUndefined) {
    std::uint32_t codes[] = {0x82F5, 0x82F6, 0x82F7, 0x82F8, 0x82F9, 0x8397, 0x8398, 0x8399, 0x839A,
                             0x839B, 0x839C, 0x839D, 0x839E, 0x83F6, 0x8663, 0x8667, 0x8668, 0x8669,
                             0x866A, 0x866B, 0x866C, 0x866D, 0x866E, 0x8685, 0x8686};
    ASSERT_EQ(sizeof codes / sizeof codes[0], 25u);
    for (std::uint32_t code : codes) EXPECT_EQ(sjisToUnicode(code), 0u) << std::hex << code;
}

TEST(SjisTables, CodePointsLeftOutAreUndefined) {
    for (std::uint32_t cp : {0x2015u, 0xFF5Eu, 0xFF3Cu, 0x2985u, 0x2986u, 0x0500u, 0x1DFFu, 0xE000u, 0xF8FFu}) {
        EXPECT_EQ(unicodeToSjis(cp), 0) << std::hex << cp;
    }
}

TEST(SjisTables, LookupsTakeTheLow16Bits) {
    EXPECT_EQ(sjisToUnicode(0x1815C), 0x2014u);
    EXPECT_EQ(unicodeToSjis(0x10041), 0x41);
}

TEST(SjisOverrides, BothListsAgreeAndEachOneChangesTheTable) {
    int sjisOverrides = 0;
    for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
        std::uint32_t cp = sjisOverrideToUnicode(static_cast<std::uint16_t>(code));
        if (cp == 0) continue;
        ++sjisOverrides;
        EXPECT_TRUE(code >= 0x8100 && code <= 0x9FFF) << std::hex << code;
        EXPECT_NE(cp, sjisToUnicode(code)) << std::hex << code;
        EXPECT_EQ(unicodeOverrideToSjis(cp), code) << std::hex << code;
    }
    EXPECT_EQ(sjisOverrides, 18);

    int unicodeOverrides = 0;
    for (std::uint32_t cp = 0; cp <= 0xFFFF; ++cp) {
        std::uint16_t code = unicodeOverrideToSjis(cp);
        if (code == 0) continue;
        ++unicodeOverrides;
        // U+301C is the one that gives the table's own code, and comes back as U+FF5E.
        if (cp == 0x301C) {
            EXPECT_EQ(code, 0x8160);
            EXPECT_EQ(unicodeToSjis(cp), 0x8160);
            EXPECT_EQ(sjisOverrideToUnicode(code), 0xFF5Eu);
            continue;
        }
        EXPECT_NE(code, unicodeToSjis(cp)) << std::hex << cp;
        EXPECT_EQ(sjisOverrideToUnicode(code), cp) << std::hex << cp;
    }
    EXPECT_EQ(unicodeOverrides, 19);
}

TEST(SjisOverrides, OverrideWinsWhereTheTableHasACodeOfItsOwn) {
    const std::uint32_t rows[][3] = {// code point, table's code, override's code
                                     {0x2225, 0x81D2, 0x8161}, {0xFF0D, 0x81AF, 0x817C},
                                     {0x2252, 0x81E0, 0x8790}, {0x222A, 0x81BE, 0x879C}};
    for (const auto& row : rows) {
        EXPECT_EQ(unicodeToSjis(row[0]), row[1]) << std::hex << row[0];
        EXPECT_EQ(unicodeOverrideToSjis(row[0]), row[2]) << std::hex << row[0];
    }
}

TEST(SjisBytes, LeadByteTestCounts0x80AndIgnoresTheCodePage) {
    for (unsigned b = 0; b <= 0xFF; ++b) {
        bool expected = (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(isSjisLeadByte(static_cast<unsigned char>(b)), expected) << std::hex << b;
    }
}

TEST(SjisBytes, OnlyALeadByteMissingItsTrailIsTrimmed) {
    struct Case {
        const char* text;
        int result;
        const char* after;
    } cases[] = {
        {"\x93", 1, ""},
        {"\x93\xFA", 0, "\x93\xFA"},
        {"\x41\x82\x81", 0, "\x41\x82\x81"}, // 0x81 is a trail byte here, not a lead byte
        {"\x82\xA0\x82", 1, "\x82\xA0"},
        {"", 0, ""},
        {"abc", 0, "abc"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(trimDanglingLeadByte(&text[0]), c.result) << c.text;
        EXPECT_STREQ(text.c_str(), c.after);
    }
}
