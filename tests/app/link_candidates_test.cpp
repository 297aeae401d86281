// Of several files of a broken link's name, the one whose folders end as the link's do: the
// trailing folder names two paths share, without ASCII case.
#include <gtest/gtest.h>

#include "app/link_candidates.h"

namespace {

// The letters at the ends of the folded range.
TEST(SharedFolders, LinkFoldersEndTheFilesWithoutCase) {
    EXPECT_EQ(sharedTrailingFolders("zA\\a.png", "x\\Za\\a.png"), 1);
}

} // namespace
