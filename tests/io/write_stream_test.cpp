// The write stream: byte order, the 513-byte and 513-unit string limits, real disk-full
// failures on /dev/full, the failure seam, and close() telling whether the file is complete.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "io/write_stream.h"
#include "tests/support/io_test_files.h"

namespace {

const char kByteError[] = "File writing error.(or Disk full)\n";
const char kBlockError[] = "File buffered writing error.(or Disk full)\n";

class WriteStreamTest : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        WriteStream::close();
        WriteStream::failAfterBytesForTesting(-1);
    }

    std::string out() const { return folder.file("out.bin"); }
    void openOut() { ASSERT_EQ(WriteStream::open(iotest::insidePath(out()).c_str()), 0); }
    // /dev/full accepts the open and refuses every byte written to it (ENOSPC).
    void openFull() {
        if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
        ASSERT_EQ(WriteStream::open("\\dev\\full"), 0);
    }

    iotest::TempFolder folder;
};

TEST_F(WriteStreamTest, ValuesAreWrittenLittleEndian) {
    openOut();
    EXPECT_EQ(WriteStream::writeInt32(0x12345678), 0);
    EXPECT_EQ(WriteStream::writeFloat(1.0f), 0);
    EXPECT_EQ(WriteStream::writeByte(0x1A5), 0); // low 8 bits only
    EXPECT_EQ(WriteStream::writeBlock("xyz", 3), 3);
    EXPECT_EQ(WriteStream::position(), 12);
    EXPECT_EQ(WriteStream::close(), 0);
    EXPECT_EQ(WriteStream::status(), -1);
    EXPECT_EQ(iotest::readFile(out()), std::string("\x78\x56\x34\x12\x00\x00\x80\x3F\xA5xyz", 12));
}

TEST_F(WriteStreamTest, CStringStopsAfter513BytesWithoutItsTerminator) {
    openOut();
    EXPECT_EQ(WriteStream::writeCString(std::string(512, 'a').c_str()), 0);
    EXPECT_EQ(WriteStream::position(), 512);
    EXPECT_EQ(WriteStream::writeCString(std::string(513, 'b').c_str()), 1);
    EXPECT_EQ(WriteStream::position(), 1025);
    EXPECT_EQ(WriteStream::writeCString(std::string(600, 'c').c_str()), 1);
    EXPECT_EQ(WriteStream::position(), 1538);
    EXPECT_EQ(WriteStream::writeCString(""), 0);
    EXPECT_EQ(WriteStream::close(), 0);
    EXPECT_EQ(iotest::readFile(out()),
              std::string(512, 'a') + std::string(513, 'b') + std::string(513, 'c'));
}

TEST_F(WriteStreamTest, UniStringStopsAfter513UnitsWithItsMessage) {
    auto units = [](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += std::string("A\0", 2); // 'A' in UTF-16LE
        return text + std::string("\0\0", 2);
    };
    openOut();
    iotest::Capture capture;
    std::string u512 = units(512), u513 = units(513), u600 = units(600);
    EXPECT_EQ(WriteStream::writeUniString(reinterpret_cast<const unsigned char*>(u512.data())), 0);
    EXPECT_EQ(capture.text(), "");
    EXPECT_EQ(WriteStream::position(), 1024);
    EXPECT_EQ(WriteStream::writeUniString(reinterpret_cast<const unsigned char*>(u513.data())), 0);
    EXPECT_EQ(capture.text(), "Too long unistr.\n");
    EXPECT_EQ(WriteStream::position(), 1024 + 1026);
    EXPECT_EQ(WriteStream::writeUniString(reinterpret_cast<const unsigned char*>(u600.data())), 0);
    EXPECT_EQ(capture.text(), "Too long unistr.\nToo long unistr.\n");
    EXPECT_EQ(WriteStream::position(), 1024 + 2 * 1026);
    EXPECT_EQ(WriteStream::close(), 0);
    EXPECT_EQ(iotest::readFile(out()), u512.substr(0, 1024) + u513.substr(0, 1026) +
                                           u600.substr(0, 1026));
}

TEST_F(WriteStreamTest, DiskFullOnBytesReportsOnceThenEveryWriteFailsSilently) {
    openFull();
    iotest::Capture capture;
    int written = 0;
    while (written < 3 * WriteStream::kBufferBytes && WriteStream::writeByte('z') == 0) ++written;
    EXPECT_LT(written, 3 * WriteStream::kBufferBytes);
    EXPECT_EQ(capture.text(), kByteError);
    EXPECT_EQ(WriteStream::status(), -1);
    EXPECT_EQ(WriteStream::position(), written);
    EXPECT_EQ(WriteStream::writeByte('z'), -1);
    EXPECT_EQ(WriteStream::writeInt32(1), -1);
    EXPECT_EQ(WriteStream::writeCString("abc"), -1);
    EXPECT_EQ(WriteStream::writeBlock("abc", 3), -1);
    EXPECT_EQ(capture.text(), kByteError);
    EXPECT_EQ(WriteStream::close(), -1);
}

TEST_F(WriteStreamTest, DiskFullOnABlockReturnsTheShortCount) {
    openFull();
    iotest::Capture capture;
    std::string block(3 * WriteStream::kBufferBytes, 'q');
    std::int32_t put = WriteStream::writeBlock(block.data(), static_cast<std::int32_t>(block.size()));
    EXPECT_GE(put, 0);
    EXPECT_LT(put, static_cast<std::int32_t>(block.size()));
    EXPECT_EQ(capture.text(), kBlockError);
    EXPECT_EQ(WriteStream::position(), 0);
    EXPECT_EQ(WriteStream::status(), -1);
    EXPECT_EQ(WriteStream::close(), -1);
}

TEST_F(WriteStreamTest, CloseReportsTheLastBufferThatCouldNotBeWritten) {
    // A few bytes stay in the buffer; only closing tries to write them to the full disk.
    openFull();
    iotest::Capture capture;
    EXPECT_EQ(WriteStream::writeInt32(7), 0);
    EXPECT_EQ(WriteStream::close(), -1);
    EXPECT_EQ(WriteStream::close(), -1); // still incomplete when asked again
    EXPECT_EQ(capture.text(), "");
    openOut();
    EXPECT_EQ(WriteStream::close(), 0); // a new open starts clean
}

TEST_F(WriteStreamTest, SeamFailsByteWritesAfterTheGivenCount) {
    WriteStream::failAfterBytesForTesting(5); // set before the open, as a save test would
    openOut();
    iotest::Capture capture;
    EXPECT_EQ(WriteStream::writeInt32(0x44434241), 0);
    EXPECT_EQ(WriteStream::writeInt32(0x48474645), -1);
    EXPECT_EQ(capture.text(), kByteError);
    EXPECT_EQ(WriteStream::position(), 5);
    EXPECT_EQ(WriteStream::close(), -1);
    EXPECT_EQ(iotest::readFile(out()), "ABCDE");
}

TEST_F(WriteStreamTest, SeamCutsABlockShort) {
    openOut();
    WriteStream::failAfterBytesForTesting(100);
    iotest::Capture capture;
    std::string block(300, 'k');
    EXPECT_EQ(WriteStream::writeBlock(block.data(), 300), 100);
    EXPECT_EQ(capture.text(), kBlockError);
    EXPECT_EQ(WriteStream::position(), 0);
    EXPECT_EQ(WriteStream::status(), -1);
    EXPECT_EQ(WriteStream::close(), -1);
    EXPECT_EQ(iotest::readFile(out()), std::string(100, 'k'));
}

TEST_F(WriteStreamTest, CStringWhoseLastByteFailsIsNotReportedComplete) {
    openOut();
    WriteStream::failAfterBytesForTesting(2);
    iotest::Capture capture;
    EXPECT_EQ(WriteStream::writeCString("abc"), -1);
    EXPECT_EQ(capture.text(), kByteError);
}

TEST_F(WriteStreamTest, OpeningAgainClosesTheEarlierFileWithItsBytes) {
    openOut();
    EXPECT_EQ(WriteStream::writeCString("first"), 0);
    ASSERT_EQ(WriteStream::open(iotest::insidePath(folder.file("second.bin")).c_str()), 0);
    EXPECT_EQ(WriteStream::position(), 0);
    EXPECT_EQ(WriteStream::writeCString("second"), 0);
    EXPECT_EQ(WriteStream::close(), 0);
    EXPECT_EQ(iotest::readFile(out()), "first");
    EXPECT_EQ(iotest::readFile(folder.file("second.bin")), "second");
}

} // namespace
