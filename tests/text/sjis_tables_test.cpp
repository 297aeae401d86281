// The Shift-JIS <-> Unicode tables: the committed data against its generator, the overrides, and
// the two byte helpers.
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

TEST(SjisBytes, LeadBytesCount0x80AndOnlyACharacterCutShortIsTrimmed) {
    for (unsigned b = 0; b <= 0xFF; ++b) {
        bool lead = (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(isSjisLeadByte(static_cast<unsigned char>(b)), lead) << std::hex << b;
    }
    // In 41 82 81 the 0x81 is a trail byte; only a changed text returns 1.
    // An escape without all of its digits is cut short too; a whole one, or one followed by
    // a byte that is no digit, is not.
    const char* cases[][2] = {{"\x93", ""}, {"\x93\xFA", "\x93\xFA"}, {"\x41\x82\x81", "\x41\x82\x81"},
                              {"\x82\xA0\x82", "\x82\xA0"}, {"", ""}, {"a\xFD\xA3\xA0", "a"},
                              {"a\xFE\xA0\xA4\xA0\xA0", "a\xFE\xA0\xA4\xA0\xA0"}, {"\xFF\xA2x", "\xFF\xA2x"}};
    for (const auto& c : cases) {
        std::string text(c[0], std::strlen(c[0]) + 1);
        EXPECT_EQ(trimDanglingLeadByte(&text[0]), std::strcmp(c[0], c[1]) != 0 ? 1 : 0) << c[0];
        EXPECT_STREQ(text.c_str(), c[1]);
    }
}
