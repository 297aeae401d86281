// The walk for models: a folder's entries in byte order with a subfolder's models where its name
// stands, *.pmx in any case and nothing else, links followed only inside the folder given and
// never round to a folder being walked, and whatever names no model said as a step of its own.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/platform.h"
#include "tests/support/io_test_files.h"

namespace {

const char* const kProblemWords[] = {"",         "missing",   "unreachable", "special",  "unreadable",
                                     "too large", "too deep", "backslash",   "too long"};

// Every step of a walk of `path` (outside form), one line each: the path shown, relative to
// `base`, and its problem.
std::string walk(const std::string& base, const std::string& path, std::vector<platform::FileIdentity>* ids = nullptr) {
    static platform::WalkStep step;
    std::string lines;
    platform::walkBegin(iotest::insidePath(path).c_str());
    while (platform::walkNext(&step) == 1) {
        std::string shown = step.shown;
        if (shown.compare(0, base.size(), base) == 0) shown.erase(0, base.size() + 1);
        const std::string problem = kProblemWords[static_cast<int>(step.problem)];
        lines += shown + (problem.empty() ? "" : " (" + problem + ")") + "\n";
        if (ids != nullptr) ids->push_back(step.identity);
    }
    return lines;
}

TEST(TreeWalk, ModelsInByteOrderLinksOnlyInsideAndProblemsAsSteps) {
    iotest::TempFolder tmp;
    const std::string root = tmp.file("root");
    for (const char* folder : {"root", "root/a", "root/a/deep", "root/elsewhere"}) mkdir(tmp.file(folder).c_str(), 0700);
    for (const char* file : {"root/B.pmx", "root/a.PMX", "root/a-b.pmx", "root/a/z.pmx", "root/a/deep/y.Pmx",
                             "root/notes.txt", "root/x.pmxx", "root/back\\slash.pmx", "root/elsewhere/w.pmx"})
        iotest::writeFile(tmp.file(file), "PMX ");
    mkfifo(tmp.file("root/fifo.pmx").c_str(), 0600);
    iotest::writeFile(tmp.file("outside.pmx"), "PMX ");
    symlink("a", tmp.file("root/link-in").c_str());          // inside: walked again
    symlink("..", tmp.file("root/a/deep/up").c_str());       // round to a folder being walked
    symlink(tmp.path().c_str(), tmp.file("root/out").c_str()); // leads out of the tree
    symlink("../outside.pmx", tmp.file("root/q.pmx").c_str());
    symlink("a/z.pmx", tmp.file("root/r.pmx").c_str());
    symlink("nowhere", tmp.file("root/dangling.pmx").c_str());
    chmod(tmp.file("root/elsewhere").c_str(), 0); // unless the tests run as root

    std::vector<platform::FileIdentity> ids;
    const std::string unreadable = geteuid() == 0 ? "root/elsewhere/w.pmx\n" : "root/elsewhere (unreadable)\n";
    EXPECT_EQ(walk(tmp.path(), root, &ids),
              "root/B.pmx\nroot/a/deep/y.Pmx\nroot/a/z.pmx\nroot/a-b.pmx\nroot/a.PMX\nroot/back\\slash.pmx (backslash)\n" +
                  unreadable + "root/fifo.pmx (special)\nroot/link-in/deep/y.Pmx\nroot/link-in/z.pmx\nroot/r.pmx\n");
    chmod(tmp.file("root/elsewhere").c_str(), 0700);
    // The same file under three names, told apart from the others by its identity.
    const std::size_t z = 2, linkZ = ids.size() - 2, r = ids.size() - 1;
    EXPECT_TRUE(ids[z].index == ids[linkZ].index && ids[z].index == ids[r].index && ids[z].volume == ids[r].volume);
    EXPECT_NE(ids[z].index, ids[0].index);

    // A path given is a step itself: a file whatever its name, a folder with a separator at its
    // end, a name that is nothing, or something that is neither.
    EXPECT_EQ(walk(tmp.path(), tmp.file("root/notes.txt")), "root/notes.txt\n");
    EXPECT_EQ(walk(tmp.path(), tmp.file("root/a/deep/")), "root/a/deep/y.Pmx\n");
    ids.clear(); // a step without a model has no identity, none left from the file walked before
    EXPECT_EQ(walk(tmp.path(), tmp.file("root/gone"), &ids), "root/gone (missing)\n");
    EXPECT_TRUE(ids[0].volume == 0 && ids[0].index == 0);
    EXPECT_EQ(walk(tmp.path(), tmp.file("root/fifo.pmx")), "root/fifo.pmx (special)\n");
}

// The walk's names fill their storage: a folder whose names alone do not fit is said and passed
// over, and the room of every folder left is given back (two that fit one after the other).
TEST(TreeWalk, FolderWhoseNamesDoNotFitIsSaidAndTheRoomOfEachFolderLeftIsGivenBack) {
    iotest::TempFolder tmp;
    const std::string name(240, 'n');
    const std::size_t half = platform::kWalkNameBytes / (name.size() + 2) / 2 + 1; // over half the room
    for (const char* folder : {"r", "r/a", "r/b", "r/c", "r/d"}) mkdir(tmp.file(folder).c_str(), 0700);
    for (std::size_t i = 0; i < 2 * half; ++i) {
        const std::string numbered = name + std::to_string(i);
        if (i < half) mkdir(tmp.file("r/a/" + numbered).c_str(), 0700);
        if (i < half) mkdir(tmp.file("r/b/" + numbered).c_str(), 0700);
        mkdir(tmp.file("r/c/" + numbered).c_str(), 0700);
    }
    for (const std::string& file : {std::string("r/b/m.pmx"), "r/d/" + name + ".pmx"}) iotest::writeFile(tmp.file(file), "PMX ");
    EXPECT_EQ(walk(tmp.path(), tmp.file("r")), "r/b/m.pmx\nr/c (too large)\nr/d/" + name + ".pmx\n");
}

// The search's entries fill their storage (8192 of them): a folder's are given back when the search
// leaves it, so two folders that fit one after the other are both searched. The name is found
// without case, z the last letter folded.
TEST(FolderSearch, TheEntriesOfEachFolderLeftAreGivenBack) {
    iotest::TempFolder tmp;
    for (const std::string folder : {"a", "b"}) {
        mkdir(tmp.file(folder).c_str(), 0700);
        for (int i = 0; i < 4200; ++i) mkdir(tmp.file(folder + "/" + std::to_string(i)).c_str(), 0700);
    }
    iotest::writeFile(tmp.file("b/mz.png"), "");
    const char* const names[] = {"MZ.png"};
    platform::SearchHit hit;
    // Over 8400 names read each time: three searches pass the limit of names only together.
    for (int search = 0; search < 3; ++search) {
        platform::searchBegin((iotest::insidePath(tmp.path()) + "\\").c_str(), names, 1);
        ASSERT_EQ(platform::searchNext(&hit), 1);
        EXPECT_STREQ(hit.path, "b\\mz.png");
    }
}

} // namespace
