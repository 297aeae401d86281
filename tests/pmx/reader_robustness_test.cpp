// A model cut at every byte offset: the reader must end cleanly, never read past the end, and
// never record an offset beyond it.
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

} // namespace
} // namespace pmxtest
