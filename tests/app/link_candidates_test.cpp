// Of several files of a broken link's name, the one whose folders end as the link's do: the
// trailing folder names two paths share, without ASCII case, a double-byte name whole.
#include <gtest/gtest.h>

#include <string>

#include "app/link_candidates.h"

namespace {

struct Row {
    const char* name;
    const char* link;
    const char* file;
    int shared;
};

class SharedFolders : public testing::TestWithParam<Row> {};

TEST_P(SharedFolders, CountsTheTrailingFolderNamesBothPathsEndWith) {
    EXPECT_EQ(sharedTrailingFolders(GetParam().link, GetParam().file), GetParam().shared);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SharedFolders,
    testing::Values(Row{"LastFolderAlike", "tex\\body\\a.png", "textures\\body\\a.png", 1},
                    // The letters at the ends of the folded range, on each side.
                    Row{"LinkFoldersEndTheFilesWithoutCase", "zA\\a.png", "x\\Za\\a.png", 1},
                    Row{"FileFoldersEndTheLinksWithoutCase", "aZ\\a.png", "x\\Az\\a.png", 1},
                    Row{"FileFoldersEndTheLinks", "a\\tex\\a.png", "tex\\a.png", 1},
                    Row{"TrailByteOfABackslashSplitsNoName", "\x95\x5C\\a.png", "x\\\x95\x5C\\a.png", 1}, // 表
                    Row{"TrailByteIsNoLetterToFold", "\x83\x41\\a.png", "\x83\x61\\a.png", 0}, // ア, ヂ
                    Row{"NoFolder", "a.png", "x\\a.png", 0}),
    [](const testing::TestParamInfo<Row>& row) { return std::string(row.param.name); });

} // namespace
