// The Shift-JIS <-> Unicode tables: the committed data against its generator, their shape
// (counts, ranges, exact inverses), the rows where they part from code page 932, the
// overrides, and the two byte helpers.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/support/io_test_files.h"
#include "text/sjis_tables.h"

TEST(SjisTables, CommittedTablesEqualWhatTheGeneratorWrites) {
    if (std::system("python3 --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
    iotest::TempFolder folder;
    std::string source = QV_SOURCE_DIR;
    // The code tables, and the compositions of their characters.
    for (const char* table : {"sjis_tables.cpp", "composition_table.cpp"}) {
        SCOPED_TRACE(table);
        std::string fresh = folder.file(table);
        std::string option = std::strcmp(table, "composition_table.cpp") == 0 ? " --composition" : "";
        ASSERT_EQ(std::system(("python3 '" + source + "/tools/gen_sjis_tables.py'" + option + " '" + fresh + "'").c_str()), 0);
        // Not EXPECT_EQ: a failure would print two 200 KB texts.
        EXPECT_TRUE(iotest::readFile(fresh) == iotest::readFile(source + "/text/" + table));
    }
}

TEST(SjisTables, CountsRangesAndExactInversesHoldForEveryCode) {
    int codes = 0, aboveBmp = 0, points = 0;
    for (std::uint32_t v = 0; v <= 0xFFFF; ++v) {
        if (std::uint32_t cp = sjisToUnicode(v)) { // v as a Shift-JIS code: no lead byte 0x80
            unsigned trail = v & 0xFF;
            bool pair = (v >= 0x8100 && v <= 0x9FFF) || (v >= 0xE000 && v <= 0xFCFF);
            ASSERT_TRUE(v <= 0xFF || (pair && trail >= 0x40 && trail <= 0xFC && trail != 0x7F)) << std::hex << v;
            ASSERT_TRUE(cp < 0xE000 || cp > 0xF8FF) << "private use at " << std::hex << v;
            ASSERT_TRUE(cp > 0xFFFF || unicodeToSjis(cp) == v) << std::hex << v;
            ++codes;
            aboveBmp += cp > 0xFFFF;
        }
        if (std::uint16_t code = unicodeToSjis(v)) { // v as a code point
            ASSERT_TRUE(v <= 0x04FF || (v >= 0x1E00 && v <= 0x9FFF) || v >= 0xF900) << std::hex << v;
            ASSERT_EQ(sjisToUnicode(code), v) << std::hex << v;
            ++points;
        }
    }
    EXPECT_EQ(codes, 11398);
    EXPECT_EQ(aboveBmp, 303);
    EXPECT_EQ(points, 11095);
}

TEST(SjisTables, SingleBytesAndTellingRowsDifferFromCodePage932AsDocumented) {
    // First code, last code, code point of the first (0: undefined). 0x8790-0x879C: the NEC
    // mathematical symbols of code page 932 are not in the table.
    const std::uint32_t codes[][3] = {
        {0x00, 0x00, 0}, {0x01, 0x5B, 0x01}, {0x5C, 0x5C, 0x00A5}, {0x5D, 0x7D, 0x5D}, {0x7E, 0x7E, 0x203E},
        {0x7F, 0x7F, 0x7F}, {0x80, 0x80, 0}, {0xA0, 0xA0, 0}, {0xA1, 0xDF, 0xFF61}, {0xFD, 0xFF, 0},
        {0x815C, 0x815C, 0x2014}, {0x815F, 0x815F, 0x005C}, {0x8160, 0x8160, 0x301C}, {0x8161, 0x8161, 0x2016},
        {0x817C, 0x817C, 0x2212}, {0x8191, 0x8191, 0x00A2}, {0x8192, 0x8192, 0x00A3}, {0x81CA, 0x81CA, 0x00AC},
        {0x81D4, 0x81D5, 0xFF5F}, {0x8740, 0x8740, 0x2460}, {0xED40, 0xED40, 0x7843}, {0xFA40, 0xFA40, 0x8C57},
        {0x87A0, 0x87A0, 0x2000B}, {0xFC4B, 0xFC4B, 0x29A72}, {0x1815C, 0x1815C, 0x2014}, {0x8040, 0x8040, 0},
        {0xFCF5, 0xFCF5, 0}, {0xFD40, 0xFD40, 0}, {0x8790, 0x8792, 0}, {0x8794, 0x8797, 0}, {0x879A, 0x879C, 0},
        // The 25 codes of a base character plus a combining mark.
        {0x82F5, 0x82F9, 0}, {0x8397, 0x839E, 0}, {0x83F6, 0x83F6, 0}, {0x8663, 0x8663, 0}, {0x8667, 0x866E, 0},
        {0x8685, 0x8686, 0}};
    for (const auto& row : codes) {
        for (std::uint32_t code = row[0]; code <= row[1]; ++code) {
            EXPECT_EQ(sjisToUnicode(code), row[2] == 0 ? 0 : row[2] + (code - row[0])) << std::hex << code;
        }
    }
    const std::uint32_t points[][2] = {{0x5C, 0x815F}, {0x7E, 0x81B0}, {0x10041, 0x41}, {0x2015, 0}, {0xFF5E, 0},
                                       {0xFF3C, 0}, {0x2985, 0}, {0x2986, 0}, {0x0500, 0}, {0x1DFF, 0}, {0xE000, 0}};
    for (const auto& row : points) EXPECT_EQ(unicodeToSjis(row[0]), row[1]) << std::hex << row[0];
}

TEST(SjisOverrides, EighteenAndNineteenEntriesThatAgreeAndChangeTheTable) {
    int codes = 0, points = 0;
    for (std::uint32_t v = 0; v <= 0xFFFF; ++v) {
        if (std::uint32_t cp = sjisOverrideToUnicode(static_cast<std::uint16_t>(v))) {
            EXPECT_TRUE(v >= 0x8100 && v <= 0x9FFF && cp != sjisToUnicode(v) && unicodeOverrideToSjis(cp) == v)
                << std::hex << v;
            ++codes;
        }
        // U+301C alone keeps the table's code 0x8160, which comes back as U+FF5E.
        if (std::uint16_t code = unicodeOverrideToSjis(v)) {
            EXPECT_EQ(code == unicodeToSjis(v), v == 0x301C) << std::hex << v;
            EXPECT_EQ(sjisOverrideToUnicode(code), v == 0x301C ? 0xFF5Eu : v) << std::hex << v;
            ++points;
        }
    }
    EXPECT_EQ(codes, 18);
    EXPECT_EQ(points, 19);
}

TEST(SjisBytes, LeadBytesCount0x80AndOnlyALeadByteMissingItsTrailIsTrimmed) {
    for (unsigned b = 0; b <= 0xFF; ++b) {
        bool lead = (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(isSjisLeadByte(static_cast<unsigned char>(b)), lead) << std::hex << b;
    }
    // In 41 82 81 the 0x81 is a trail byte; only a changed text returns 1.
    const char* cases[][2] = {{"\x93", ""}, {"\x93\xFA", "\x93\xFA"}, {"\x41\x82\x81", "\x41\x82\x81"},
                              {"\x82\xA0\x82", "\x82\xA0"}, {"", ""}};
    for (const auto& c : cases) {
        std::string text(c[0], std::strlen(c[0]) + 1);
        EXPECT_EQ(trimDanglingLeadByte(&text[0]), std::strcmp(c[0], c[1]) != 0 ? 1 : 0) << c[0];
        EXPECT_STREQ(text.c_str(), c[1]);
    }
}
