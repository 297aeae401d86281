// The repaired copy: byte for byte the source outside the renewed texture entries, and a failed
// or refused save that damages nothing.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "io/write_stream.h"
#include "tests/pmx/pmx_test_util.h"

// What the save does to last a crash, in order, while gNoteSteps is set: "sync file", "sync
// folder" (fsync), "link" or "rename".
bool gNoteSteps = false;
std::vector<std::string> gSteps;
// While set, the next copy between files first moves the source's times: an edit mid-copy.
bool gEditSource = false;

int note(const char* step, long result)
{
    if (gNoteSteps) gSteps.push_back(step);
    return static_cast<int>(result);
}
extern "C" int fsync(int fd)
{
    struct stat info;
    return note(fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) ? "sync folder" : "sync file", syscall(SYS_fsync, fd));
}
extern "C" int linkat(int a, const char* b, int c, const char* d, int e) { return note("link", syscall(SYS_linkat, a, b, c, d, e)); }
extern "C" int renameat(int a, const char* b, int c, const char* d) { return note("rename", syscall(SYS_renameat2, a, b, c, d, 0)); }
extern "C" ssize_t copy_file_range(int in, loff_t* inAt, int out, loff_t* outAt, size_t n, unsigned flags)
{
    const timespec epoch[2] = {};
    if (gEditSource && futimens(in, epoch) == 0) gEditSource = false;
    return syscall(SYS_copy_file_range, in, inAt, out, outAt, n, flags);
}

namespace pmxtest {
namespace {

void renew(int k, const std::string& sjisPath)
{
    gModel.texturesChanged = gModel.textureRenewed[k] = true;
    std::strcpy(gModel.correctedTexturePaths[k], sjisPath.c_str());
}

// The twist slot's axis decided to be replaced, by default with (0.5, -0.25, 1).
void correct(int slot, Vec3 axis = Vec3{0.5f, -0.25f, 1.0f})
{
    gModel.twists[slot].verdict = true;
    gModel.twists[slot].correctedAxis = axis;
}

class Writer : public PmxTest {
protected:
    Bytes original;
    PmxLayout layout;

    void TearDown() override
    {
        WriteStream::failAfterBytesForTesting(-1);
        PmxTest::TearDown();
    }
    // Writes and reads the source; the model then holds its marks, and no repair is decided.
    void readSource(const PmxRecipe& recipe)
    {
        original = buildPmx(recipe, &layout);
        Outcome run = readBytes(original);
        ASSERT_EQ(0, run.result);
        ASSERT_NE(std::string::npos, run.text.find("done. \n"));
    }
    std::string destination() const { return file("m-new.pmx"); }
    Outcome save() { return captured([&] { return writePatchedPmx(destination().c_str(), path().c_str()); }); }
};

// In a UTF-8 model the renewed paths are re-encoded; one that is not Shift-JIS is written
// empty, with a notice. The other entries, and every byte around the texture block, stay.
TEST_F(Writer, CopyChangesOnlyTheRepairedStretches)
{
    readSource(typicalModel(1));
    renew(0, "\x80\x41x\x81\x2E");
    renew(1, "new\\\x8A\xE7.png"); // new\顔.png
    Outcome run = save();
    EXPECT_EQ(0, run.result);
    EXPECT_EQ("Reading from: m.pmx \nWriting to  : m-new.pmx \n"
              "<<<uni000000:sjis008041>>>[81 2E(x)](2nd byte==0x00-3F) <<<uni000000:sjis00812E>>>"
              "UTF-8 path cannot be retribed: \x80\x41x\x81\x2E \n\n",
              run.text);
    const Bytes entries = {0, 0, 0, 0, 11, 0, 0, 0, 'n', 'e', 'w', '\\', 0xE9, 0xA1, 0x94, '.', 'p', 'n', 'g'};
    const std::int32_t first = layout.textureEntryStarts[0];
    EXPECT_EQ(spliced(original, {Splice{first, layout.textureBlockEnd - first, entries}}), readFile(destination()));
    EXPECT_TRUE(readFile(destination() + ".tmp").empty());
}

// Entries not renewed keep their bytes, even those with no Shift-JIS code (emoji, Hangul):
// only the renewed ones are written anew, one whose path has no UTF-16 form as empty.
TEST_F(Writer, EntriesNotRenewedKeepTheirBytes)
{
    PmxRecipe recipe = typicalModel(0);
    recipe.textures = {"\xF0\x9F\x98\x80.png", "old.png", "\xED\x95\x9C\xEA\xB8\x80.bmp", "x.png"};
    readSource(recipe);
    renew(1, "new\\\x8A\xE7.png"); // new\顔.png
    renew(3, "x\xFF\xA2\xB4.png"); // an escaped byte: a name on disk that is no UTF-8
    EXPECT_EQ(0, save().result);
    const Bytes entry = {18, 0, 0, 0, 'n', 0, 'e', 0, 'w', 0, '\\', 0, 0x54, 0x98, '.', 0, 'p', 0, 'n', 0, 'g', 0};
    const std::vector<std::int32_t>& at = layout.textureEntryStarts;
    EXPECT_EQ(spliced(original, {Splice{at[1], at[2] - at[1], entry}, Splice{at[3], layout.textureBlockEnd - at[3], {0, 0, 0, 0}}}),
              readFile(destination()));
}

// A disk that fills up in the last entry renewed, or in the bytes copied after the last patch:
// the save says so, once, and leaves no copy.
TEST_F(Writer, DiskFullInTheLastRenewedPathOrInTheRestIsReported)
{
    readSource(typicalModel(0));
    renew(1, "new.png");
    const struct { std::int32_t budget; const char* said; } rows[] = {
        {layout.textureEntryStarts[1] + 4 + 1, "Error writing file. \n"}, // its length, 1 byte of its path
        {layout.morphSection, "Failed in writing to end. \n"}};
    for (const auto& row : rows) {
        WriteStream::failAfterBytesForTesting(row.budget);
        const Outcome run = save();
        EXPECT_EQ(-1, run.result);
        EXPECT_EQ(std::string("Reading from: m.pmx \nWriting to  : m-new.pmx \nFile buffered writing error.(or Disk full)\n") +
                      row.said + "\n", run.text);
        EXPECT_TRUE(readFile(destination()).empty());
    }
}

// The source itself as destination, a source changed since it was read (the texture walk
// would end elsewhere than the reader saw), even one whose size and times were put back as cp -p
// or touch -r leave them, or changed while the copy is made: refused, and nothing is written.
TEST_F(Writer, RefusedSavesWriteNothing)
{
    readSource(typicalModel(0));
    renew(0, "a.png");
    EXPECT_EQ(-1, captured([&] { return writePatchedPmx(path().c_str(), path().c_str()); }).result);
    EXPECT_EQ(original, readFile(path()));
    Bytes changed = original;
    changed[static_cast<std::size_t>(layout.textureEntryStarts[1])] += 2;
    struct stat read;
    ASSERT_EQ(0, stat(path().c_str(), &read));
    ASSERT_TRUE(writeFile(path(), changed));
    const timespec times[2] = {read.st_atim, read.st_mtim};
    ASSERT_EQ(0, utimensat(AT_FDCWD, path().c_str(), times, 0));
    const Outcome run = save();
    EXPECT_EQ(-1, run.result);
    EXPECT_EQ("Reading from: m.pmx \nWriting to  : m-new.pmx \nSource changed since read : " + path() + "\n", run.text);
    EXPECT_TRUE(readFile(destination()).empty());
    // An edit while the copy is made is noticed after it.
    readSource(typicalModel(0));
    correct(kArmTwistR);
    gEditSource = true;
    const Outcome edited = save();
    EXPECT_FALSE(gEditSource) << "the copy went another way: nothing was edited";
    EXPECT_EQ(-1, edited.result);
    EXPECT_EQ("Reading from: m.pmx \nWriting to  : m-new.pmx \nSource changed since read : " + path() + "\n\n", edited.text);
    EXPECT_TRUE(readFile(destination()).empty());
}

// The twist bones may stand in any order: each axis goes where its own bone stands.
TEST_F(Writer, AxesArePatchedWhateverTheOrderOfTheirBones)
{
    PmxRecipe recipe = typicalModel(0);
    std::swap(recipe.bones[3], recipe.bones[5]); // the wrist twist before the arm twist
    readSource(recipe);
    correct(kArmTwistL);
    correct(kWristTwistL, Vec3{1.0f, 0.0f, 0.0f});
    EXPECT_EQ(0, save().result);
    const Bytes wrist = {0, 0, 0x80, 0x3F, 0, 0, 0, 0, 0, 0, 0, 0};
    const Bytes arm = {0, 0, 0, 0x3F, 0, 0, 0x80, 0xBE, 0, 0, 0x80, 0x3F};
    const std::vector<std::int32_t>& axisAt = layout.fixedAxisOffsets;
    EXPECT_EQ(spliced(original, {Splice{axisAt[3], 12, wrist}, Splice{axisAt[5], 12, arm}}), readFile(destination()));
}

// A temporary name is always new: after ".9.tmp" comes ".10.tmp", the one name left here.
TEST_F(Writer, CopyTakesTheOneFreeTemporaryName)
{
    readSource(typicalModel(0));
    ASSERT_TRUE(writeFile(destination(), {'o'})); // so that an unnamed copy needs a temporary name too
    std::vector<std::string> taken = {".tmp", ".0.tmp"};
    for (int n = 1; n < 100; ++n) {
        if (n != 10) taken.push_back("." + std::to_string(n) + ".tmp");
    }
    for (const std::string& suffix : taken) ASSERT_TRUE(writeFile(destination() + suffix, {'t'}));
    EXPECT_EQ(0, save().result);
    EXPECT_EQ(original, readFile(destination()));
    EXPECT_TRUE(readFile(destination() + ".10.tmp").empty());
}

// A private model's copy is as private: the source's permission bits as the umask lets them
// through, never wider than those of the earlier copy it replaces.
TEST_F(Writer, CopyIsNoMoreOpenThanTheSourceOrTheCopyItReplaces)
{
    readSource(typicalModel(0));
    const struct { mode_t source, mask, earlier, copy; } rows[] = {
        {0600, 022, 0, 0600}, {0666, 027, 0, 0640}, {0644, 022, 0640, 0640}};
    for (const auto& row : rows) {
        std::remove(destination().c_str());
        if (row.earlier != 0) {
            ASSERT_TRUE(writeFile(destination(), {'o'}) && chmod(destination().c_str(), row.earlier) == 0);
        }
        ASSERT_EQ(0, chmod(path().c_str(), row.source));
        readModel(path());
        correct(kArmTwistR);
        const mode_t mask = umask(row.mask);
        EXPECT_EQ(0, save().result);
        umask(mask);
        struct stat info;
        ASSERT_EQ(0, stat(destination().c_str(), &info));
        EXPECT_EQ(row.copy, info.st_mode & 07777) << row.source;
    }
}

// A crash after the save finds the whole copy or what was there before: the copy is synced
// before it takes its name, and the folder after. Where the file system makes files without a
// name, the copy has none until it is linked as the destination: no temporary name appears.
TEST_F(Writer, CopyIsSyncedBeforeItsNameAndTheFolderAfter)
{
    const int unnamed = open(folder.path().c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (unnamed >= 0) close(unnamed);
    readSource(typicalModel(0));
    correct(kArmTwistR);
    gNoteSteps = true;
    EXPECT_EQ(0, save().result);
    gNoteSteps = false;
    EXPECT_EQ((std::vector<std::string>{"sync file", unnamed >= 0 ? "link" : "rename", "sync folder"}), gSteps);
}

} // namespace
} // namespace pmxtest
