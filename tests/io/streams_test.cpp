// The read and write streams and the copies between them: a missing file, the 2 GiB limit on
// reading and on writing, and copy counts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "io/read_stream.h"
#include "io/write_stream.h"
#include "tests/support/io_test_files.h"

namespace {

class Streams : public ::testing::Test {
protected:
    void TearDown() override {
        ReadStream::close();
        WriteStream::close();
        WriteStream::failAfterBytesForTesting(-1);
    }
    void openSource(const std::string& bytes) {
        iotest::writeFile(folder.file("in.bin"), bytes);
        ASSERT_EQ(ReadStream::open(iotest::insidePath(folder.file("in.bin")).c_str()), 0);
    }
    // The stream takes a file its user made, as the save hands it the repaired copy.
    static void attachTo(const std::string& outside) {
        std::FILE* file = std::fopen(outside.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(WriteStream::attach(file), 0);
    }
    void openTarget(const std::string& name = "out.bin") { attachTo(folder.file(name)); }
    std::string target() const { return iotest::readFile(folder.file("out.bin")); }

    iotest::TempFolder folder;
    // Bytes that differ from block to block, so a block copied twice or skipped shows.
    std::string source = [] {
        std::string bytes(100 + 2 * 8192, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
        return bytes;
    }();
};

TEST_F(Streams, ProbeOfAMissingFileFailsWithMinusOneAndTheStreamClosed) {
    EXPECT_EQ(ReadStream::probe(iotest::insidePath(folder.file("gone.bin")).c_str()), -1);
    EXPECT_EQ(ReadStream::status(), -1);
}

TEST_F(Streams, FileOf2GiBOrMoreIsRefusedBeforeAPositionCanOverflow) {
    // Sparse files: nothing is read, only their size is asked.
    const std::string in = folder.file("in.bin");
    const struct { std::uintmax_t size; int result; } rows[] = {
        {0x7FFFFFFFu, 0}, {0x80000000u, -1}, {0x100000008u, -1}}; // the last wraps to 8 bytes
    for (const auto& row : rows) {
        SCOPED_TRACE(row.size);
        iotest::writeFile(in, "PMX ");
        std::filesystem::resize_file(in, row.size);
        iotest::Capture capture;
        EXPECT_EQ(ReadStream::open(iotest::insidePath(in).c_str()), row.result);
        EXPECT_EQ(ReadStream::status(), row.result);
        EXPECT_EQ(capture.text(), row.result == 0 ? "" : "Too large RD file (2 GiB or more) : " + in + "\n");
        ReadStream::close();
    }
    // A file that grows past 2 GiB while it is read ends where a position stops counting.
    std::filesystem::resize_file(in, 0x7FFFFFFFu);
    ASSERT_EQ(ReadStream::open(iotest::insidePath(in).c_str()), 0);
    std::filesystem::resize_file(in, 0x80000010u);
    ASSERT_EQ(ReadStream::seek(0x7FFFFFFD), 0);
    char block[16];
    EXPECT_EQ(ReadStream::readBlock(block, 16), 2);
    EXPECT_EQ(ReadStream::position(), 0x7FFFFFFF);
    EXPECT_EQ(ReadStream::readByte(), -1);
}

TEST_F(Streams, WriteBeyondThe2GiBPositionFailsTheFile) {
    attachTo("/dev/null"); // takes every byte and keeps none
    constexpr std::int32_t kMiB = 1 << 20;
    static char block[kMiB];
    for (int i = 0; i < 2047; ++i) ASSERT_EQ(WriteStream::writeBlock(block, kMiB), kMiB);
    EXPECT_EQ(WriteStream::writeBlock(block, kMiB - 5), kMiB - 5);
    EXPECT_EQ(WriteStream::writeInt32(0), 0); // up to the last position, INT32_MAX
    iotest::Capture capture;
    EXPECT_EQ(WriteStream::writeByte(0), -1);
    EXPECT_EQ(capture.text(), "Too large WR file (2 GiB or more)\n");
    EXPECT_EQ(WriteStream::status(), -1);
}

TEST_F(Streams, CopiesReturnTheBytesCopiedUpToTheEndOfTheSourceOrMinusOneOnAFailedWrite) {
    openSource(source);
    openTarget();
    EXPECT_EQ(copyBytes(0), 0);
    EXPECT_EQ(copyBytes(-5), 0);
    EXPECT_EQ(copyBytes(96), 96);
    ReadStream::readInt32(); // the old value, replaced by a new one
    WriteStream::writeInt32(0x7A7A7A7A);
    EXPECT_EQ(copyRest(), 2 * 8192); // an exact multiple of the copy buffer
    EXPECT_EQ(ReadStream::status(), -1);
    EXPECT_EQ(copyBytes(1), -1);
    EXPECT_EQ(WriteStream::close(), 0);
    EXPECT_EQ(target(), source.substr(0, 96) + "zzzz" + source.substr(100));

    openSource(source); // shorter than asked: what was there
    openTarget();
    EXPECT_EQ(copyBytes(30000), static_cast<std::int32_t>(source.size()));
    EXPECT_EQ(ReadStream::status(), -1);
    EXPECT_EQ(WriteStream::close(), 0);
    EXPECT_EQ(WriteStream::detach(), nullptr); // the file closed is not handed out again
    EXPECT_EQ(target(), source);

    openSource(source); // a failing write stops the copy with the source still open
    openTarget();
    WriteStream::failAfterBytesForTesting(9000);
    iotest::Capture capture;
    EXPECT_EQ(copyRest(), -1);
    EXPECT_EQ(capture.text(), "File buffered writing error.(or Disk full)\n");
    EXPECT_EQ(ReadStream::status(), 0);
    EXPECT_EQ(copyBytes(10), -1);
    EXPECT_EQ(WriteStream::close(), -1);
    EXPECT_EQ(target(), source.substr(0, 9000));

    openSource(source); // a disk full from the first byte: not even a whole chunk goes across
    openTarget();
    WriteStream::failAfterBytesForTesting(0);
    EXPECT_EQ(copyRest(), -1);
    EXPECT_EQ(target(), "");
}

} // namespace
