// Copying between the streams: the counts returned when the source is as long as asked,
// shorter, or an exact multiple of the 8192-byte copy buffer, and failures on either side.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "io/read_stream.h"
#include "io/write_stream.h"
#include "tests/support/io_test_files.h"

namespace {

// Bytes that differ from block to block, so a block copied twice or skipped shows.
std::string pattern(std::size_t length) {
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

class CopyTest : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        ReadStream::close();
        WriteStream::close();
        WriteStream::failAfterBytesForTesting(-1);
    }

    void openBoth(const std::string& source) {
        iotest::writeFile(folder.file("src.bin"), source);
        ASSERT_EQ(ReadStream::open(iotest::insidePath(folder.file("src.bin")).c_str()), 0);
        ASSERT_EQ(WriteStream::open(iotest::insidePath(folder.file("dst.bin")).c_str()), 0);
    }
    std::string copied() {
        EXPECT_EQ(WriteStream::close(), 0);
        return iotest::readFile(folder.file("dst.bin"));
    }

    iotest::TempFolder folder;
};

TEST_F(CopyTest, CopiesUpToAnOffsetReplacesAValueAndCopiesTheRest) {
    std::string source = pattern(20000);
    openBoth(source);
    EXPECT_EQ(copyBytes(10000), 10000);
    EXPECT_EQ(copyBytes(0), 0);
    EXPECT_EQ(copyBytes(-5), 0);
    EXPECT_EQ(ReadStream::position(), 10000);
    ReadStream::readInt32(); // the old value, replaced by a new one
    WriteStream::writeInt32(0x7A7A7A7A);
    EXPECT_EQ(copyRest(), 20000 - 10004);
    EXPECT_EQ(ReadStream::status(), -1);
    EXPECT_EQ(WriteStream::position(), 20000);
    EXPECT_EQ(copied(), source.substr(0, 10000) + "zzzz" + source.substr(10004));
}

TEST_F(CopyTest, SourceShorterThanAskedGivesWhatWasThere) {
    std::string source = pattern(10000);
    openBoth(source);
    EXPECT_EQ(copyBytes(30000), 10000);
    EXPECT_EQ(ReadStream::status(), -1);
    EXPECT_EQ(WriteStream::status(), 0);
    EXPECT_EQ(copyBytes(1), -1); // the read stream is closed now
    EXPECT_EQ(copyRest(), -1);
    EXPECT_EQ(copied(), source);
}

TEST_F(CopyTest, RestOfAnExactMultipleOfTheCopyBufferIsCopiedWhole) {
    std::string source = pattern(3 * 8192);
    openBoth(source);
    EXPECT_EQ(copyBytes(8192), 8192);
    EXPECT_EQ(ReadStream::status(), 0); // an exact count does not reach the end
    EXPECT_EQ(copyRest(), 2 * 8192);
    EXPECT_EQ(ReadStream::status(), -1);
    EXPECT_EQ(copied(), source);
}

TEST_F(CopyTest, FailingWriteStreamFailsTheCopy) {
    openBoth(pattern(20000));
    WriteStream::failAfterBytesForTesting(9000);
    iotest::Capture capture;
    EXPECT_EQ(copyBytes(20000), -1);
    EXPECT_EQ(WriteStream::status(), -1);
    EXPECT_EQ(capture.text(), "File buffered writing error.(or Disk full)\n");

    openBoth(pattern(20000));
    WriteStream::failAfterBytesForTesting(100);
    EXPECT_EQ(copyRest(), -1);
    EXPECT_EQ(ReadStream::status(), 0); // stopped by the write, not by the end of the source
    WriteStream::close();
    EXPECT_EQ(copyBytes(10), -1); // nothing to write to
}

} // namespace
