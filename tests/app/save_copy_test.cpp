// The name of the repaired copy beside its source.
#include <gtest/gtest.h>

#include <string>

#include "app/save_copy.h"
#include "io/path.h"

namespace {

std::string copyName(const std::string& model) {
    char out[kPathBytes];
    if (newCopyName(out, sizeof out, model.c_str()) != 0) return "<refused>";
    return out;
}

TEST(SaveName, StemNewExtension) {
    EXPECT_EQ(copyName("C:\\m\\model.pmx"), "C:\\m\\model-new.pmx");
    EXPECT_EQ(copyName("C:\\m\\a.b.pmx"), "C:\\m\\a.b-new.pmx");
    EXPECT_EQ(copyName("C:\\m\\model"), "C:\\m\\model-new");
    EXPECT_EQ(copyName("model.PMX"), "model-new.PMX");
}

TEST(SaveName, DotInTheFolderIsNotTheExtension) {
    EXPECT_EQ(copyName("C:\\old.2\\model"), "C:\\old.2\\model-new");
}

TEST(SaveName, NameAfterASlashStaysInItsFolder) {
    EXPECT_EQ(copyName("C:\\a/b.pmx"), "C:\\a/b-new.pmx");
}

TEST(SaveName, DoubleByteNameWithTrailBackslash) {
    // 0x95 0x5C is one character; its trail byte is not a separator.
    EXPECT_EQ(copyName("C:\\m\\\x95\x5C.pmx"), "C:\\m\\\x95\x5C-new.pmx");
}

TEST(SaveName, TooLongIsRefusedNotCut) {
    const std::string folder = "C:\\" + std::string(245, 'f') + "\\";
    EXPECT_EQ(copyName(folder + "ab.pmx"), folder + "ab-new.pmx"); // 259 bytes: fits
    EXPECT_EQ(copyName(folder + "abc.pmx"), "<refused>");
}

} // namespace
