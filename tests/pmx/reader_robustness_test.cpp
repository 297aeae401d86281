// Damaged input: a model cut at every byte offset, and index widths the format does not
// know. The reader must end cleanly, never read past the end, never record an offset beyond it.
#include "io/read_stream.h"
#include "tests/pmx/pmx_test_util.h"

namespace pmxtest {
namespace {

void readEveryCut(std::uint8_t encoding)
{
    ConsoleDefaults defaults;
    ScratchFolder folder;
    PmxRecipe s = typicalModel(encoding);
    s.trailing = {1, 2, 3};
    std::vector<std::uint8_t> bytes = buildPmx(s);
    const std::string path = folder.file("cut.pmx");
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        ASSERT_TRUE(writeFile(path, slice(bytes, 0, static_cast<std::int32_t>(cut))));
        ReadRun run = runReader(path, 1u << 16);
        const std::int32_t size = static_cast<std::int32_t>(cut);
        // Signature, version and global count take 9 bytes; anything shorter is not PMX.
        EXPECT_EQ(cut < 9 ? 2 : 0, run.result);
        EXPECT_EQ(-1, ReadStream::status());
        EXPECT_LE(gModel.keptTextureCount, kTextureCapacity);
        EXPECT_LE(gModel.textureBlockEnd, size);
        for (const TwistSlot& t : gModel.twists) {
            if (t.found) {
                EXPECT_LE(t.axisOffset + 12, size);
            }
        }
        // A clean end is claimed only when every section was complete.
        if (run.transcript.find("PMX 2.") != std::string::npos) {
            EXPECT_GE(size, static_cast<std::int32_t>(bytes.size()) - 3);
        }
    }
}

TEST(Reader, CutAtEveryOffsetNeverReadsPastTheEndUtf16) { readEveryCut(0); }
TEST(Reader, CutAtEveryOffsetNeverReadsPastTheEndUtf8) { readEveryCut(1); }

// Every bone index of an unknown width reports itself and reads nothing; the file written
// with such widths (no index bytes) is then read to its end.
TEST(Reader, UnknownIndexWidthReportsEachIndex)
{
    ConsoleDefaults defaults;
    ScratchFolder folder;
    PmxRecipe s = typicalModel(0);
    s.boneIndexSize = 3;
    const std::string path = folder.file("w.pmx");
    ASSERT_TRUE(writeFile(path, buildPmx(s)));
    ReadRun run = runReader(path);
    EXPECT_EQ(0, run.result);
    // Vertices 1 + 2 + 4 + 2, bones 12 parents + 1 connection + 1 inherit + 1 IK target
    // + 2 IK links, one frame element, one rigid body.
    std::size_t count = 0;
    for (std::size_t at = run.transcript.find("undef(size=3) err.\n"); at != std::string::npos;
         at = run.transcript.find("undef(size=3) err.\n", at + 1))
        ++count;
    EXPECT_EQ(28u, count);
    EXPECT_NE(std::string::npos, run.transcript.find("PMX 2.0: correctly read-in: OK. \ndone. \n"));
}

// A text length far beyond the file's end is read up to the end and no further.
TEST(Reader, HugeTextLengthStopsAtTheEnd)
{
    ConsoleDefaults defaults;
    ScratchFolder folder;
    PmxLayout layout;
    std::vector<std::uint8_t> bytes = buildPmx(typicalModel(0), &layout);
    std::int32_t at = layout.textureEntryStarts[0];
    bytes[at] = 0xFF;
    bytes[at + 1] = 0xFF;
    bytes[at + 2] = 0xFF;
    bytes[at + 3] = 0x7F;
    const std::string path = folder.file("h.pmx");
    ASSERT_TRUE(writeFile(path, bytes));
    ReadRun run = runReader(path);
    EXPECT_EQ(0, run.result);
    EXPECT_NE(std::string::npos, run.transcript.find("2 Textures.\nErr: file ended at texture 1. \n\n"));
}

} // namespace
} // namespace pmxtest
