// Damaged input: a model cut at every byte offset, and index widths the format does not know.
// The reader must end cleanly, never read past the end, never record an offset beyond it.
#include "io/read_stream.h"
#include "tests/pmx/pmx_test_util.h"

namespace pmxtest {
namespace {

class DamagedModel : public PmxTest {};

TEST_F(DamagedModel, CutAtEveryOffsetNeverReadsPastTheEnd)
{
    for (std::uint8_t encoding : {std::uint8_t{0}, std::uint8_t{1}}) {
        PmxRecipe recipe = typicalModel(encoding);
        recipe.trailing = {1, 2, 3};
        const Bytes bytes = buildPmx(recipe);
        for (std::int32_t size = 0; size < static_cast<std::int32_t>(bytes.size()); ++size) {
            SCOPED_TRACE(::testing::Message() << "encoding " << +encoding << ", cut at " << size);
            Outcome run = readBytes(Bytes(bytes.begin(), bytes.begin() + size));
            // Signature, version and global count take 9 bytes; anything shorter is not PMX.
            EXPECT_EQ(size < 9 ? 2 : 0, run.result);
            EXPECT_EQ(-1, ReadStream::status()); // closed
            EXPECT_LE(gModel.keptTextureCount, kTextureCapacity);
            EXPECT_LE(gModel.textureBlockEnd, size);
            for (const TwistSlot& t : gModel.twists) EXPECT_LE(t.found ? t.axisOffset + 12 : 0, size);
            // A clean end is claimed only when every section was complete.
            if (run.text.find("PMX 2.") != std::string::npos) {
                EXPECT_GE(size, static_cast<std::int32_t>(bytes.size()) - 3);
            }
        }
    }
}

// Each bone index of an unknown width reports itself and reads nothing; a file written with
// such widths (no index bytes) is then read to its end.
TEST_F(DamagedModel, UnknownIndexWidthReportsEachIndex)
{
    PmxRecipe recipe = typicalModel(0);
    recipe.boneIndexSize = 3;
    Outcome run = read(recipe);
    EXPECT_EQ(0, run.result);
    // Vertices 1 + 2 + 4 + 2; bones: 12 parents, 1 connection, 1 inherit parent, 1 IK target,
    // 2 IK links; one frame element; one rigid body.
    std::size_t count = 0;
    for (std::size_t at = run.text.find("undef(size=3) err.\n"); at != std::string::npos;
         at = run.text.find("undef(size=3) err.\n", at + 1))
        ++count;
    EXPECT_EQ(28u, count);
    EXPECT_NE(std::string::npos, run.text.find("PMX 2.0: correctly read-in: OK. \ndone. \n"));
}

} // namespace
} // namespace pmxtest
