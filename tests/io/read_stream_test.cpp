// The read stream: values composed from single bytes, what the end of input does to values,
// positions and the status, opening and probing, and a seek on a closed stream.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "io/read_stream.h"
#include "tests/support/io_test_files.h"

namespace {

class ReadStreamTest : public ::testing::Test {
protected:
    void SetUp() override { ReadStream::close(); }
    void TearDown() override { ReadStream::close(); }

    // Writes `bytes` to a file of the temp folder and opens it; the inside path is returned.
    std::string openWith(const std::string& bytes, const char* name = "in.bin") {
        iotest::writeFile(folder.file(name), bytes);
        std::string inside = iotest::insidePath(folder.file(name));
        EXPECT_EQ(ReadStream::open(inside.c_str()), 0);
        return inside;
    }

    iotest::TempFolder folder;
};

std::uint32_t bitsOf(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST_F(ReadStreamTest, ValuesAreLittleEndianAndSignedAsDocumented) {
    openWith(std::string("\x80\xFF" "\xFE\xFF" "\xFE" "\x00\x00\x80\x3F" "\x78\x56\x34\x12"
                         "\xFF\xFF\xFF\xFF", 17));
    EXPECT_EQ(ReadStream::readInt16(), -128);
    EXPECT_EQ(ReadStream::readIndex(2), 65534); // 16-bit index is unsigned
    EXPECT_EQ(ReadStream::readIndex(1), 254);
    EXPECT_EQ(ReadStream::readFloat(), 1.0f);
    EXPECT_EQ(ReadStream::position(), 9);
    EXPECT_EQ(ReadStream::readInt32(), 0x12345678);
    EXPECT_EQ(ReadStream::readIndex(4), -1); // 32-bit index stays signed
    EXPECT_EQ(ReadStream::position(), 17);
    EXPECT_EQ(ReadStream::status(), 0); // the last byte read, not yet the end
}

TEST_F(ReadStreamTest, ValueCutByTheEndGetsFFBytesAndCountsOnlyWhatWasRead) {
    openWith(std::string("\x34\x12", 2));
    EXPECT_EQ(static_cast<std::uint32_t>(ReadStream::readInt32()), 0xFFFF1234u);
    EXPECT_EQ(ReadStream::position(), 2);
    EXPECT_EQ(ReadStream::status(), -1);

    openWith(std::string("\x01", 1));
    EXPECT_EQ(ReadStream::readInt16(), static_cast<std::int16_t>(0xFF01));
    EXPECT_EQ(ReadStream::position(), 1);
}

TEST_F(ReadStreamTest, ReadsPastTheEndGiveAllOnesWithoutMovingThePosition) {
    openWith("ab");
    EXPECT_EQ(ReadStream::readByte(), 'a');
    EXPECT_EQ(ReadStream::readByte(), 'b');
    EXPECT_EQ(ReadStream::status(), 0);
    EXPECT_EQ(ReadStream::readByte(), -1);
    EXPECT_EQ(ReadStream::status(), -1);
    EXPECT_EQ(ReadStream::readInt32(), -1);
    EXPECT_EQ(ReadStream::readInt16(), -1);
    EXPECT_EQ(ReadStream::readIndex(1), 255);
    EXPECT_EQ(ReadStream::readIndex(2), 65535);
    EXPECT_EQ(ReadStream::readIndex(4), -1);
    EXPECT_EQ(bitsOf(ReadStream::readFloat()), 0xFFFFFFFFu);
    char block[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(ReadStream::readBlock(block, 4), 0);
    EXPECT_EQ(block[0], 'x');
    EXPECT_EQ(ReadStream::position(), 2);
}

TEST_F(ReadStreamTest, UnknownIndexWidthReadsNothing) {
    openWith("abcd");
    iotest::Capture capture;
    EXPECT_EQ(ReadStream::readIndex(3), -1);
    EXPECT_EQ(capture.text(), "undef(size=3) err.\n");
    EXPECT_EQ(ReadStream::position(), 0);
    EXPECT_EQ(ReadStream::readByte(), 'a');
}

TEST_F(ReadStreamTest, ShortBlockClosesTheStreamAndCountsWhatArrived) {
    openWith("0123456789");
    char block[16] = {};
    EXPECT_EQ(ReadStream::readBlock(block, 4), 4);
    EXPECT_EQ(std::string(block, 4), "0123");
    EXPECT_EQ(ReadStream::status(), 0);
    EXPECT_EQ(ReadStream::readBlock(block, 16), 6);
    EXPECT_EQ(std::string(block, 6), "456789");
    EXPECT_EQ(ReadStream::position(), 10);
    EXPECT_EQ(ReadStream::status(), -1);
    EXPECT_EQ(ReadStream::readBlock(block, 16), 0);
    EXPECT_EQ(ReadStream::position(), 10);
}

TEST_F(ReadStreamTest, SeekSetsThePositionWhateverItWas) {
    openWith("0123456789");
    EXPECT_EQ(ReadStream::readInt32(), 0x33323130);
    EXPECT_EQ(ReadStream::seek(2), 0);
    EXPECT_EQ(ReadStream::position(), 2);
    EXPECT_EQ(ReadStream::readByte(), '2');
    EXPECT_EQ(ReadStream::seek(9), 0);
    EXPECT_EQ(ReadStream::readByte(), '9');
    EXPECT_EQ(ReadStream::position(), 10);
}

TEST_F(ReadStreamTest, SeekOnAClosedStreamFailsAndStaysClosed) {
    openWith("01");
    EXPECT_EQ(ReadStream::readInt32(), static_cast<std::int32_t>(0xFFFF3130u)); // reaches the end
    ASSERT_EQ(ReadStream::status(), -1);
    EXPECT_EQ(ReadStream::seek(0), -1);
    EXPECT_EQ(ReadStream::status(), -1);
    EXPECT_EQ(ReadStream::readByte(), -1);
    EXPECT_EQ(ReadStream::position(), 2);

    // A seek that cannot reposition closes the stream rather than misstate the position.
    openWith("0123");
    EXPECT_EQ(ReadStream::seek(-1), -1);
    EXPECT_EQ(ReadStream::status(), -1);
}

TEST_F(ReadStreamTest, MissingFileIsReportedByOpenAndSilentForProbe) {
    std::string missing = iotest::insidePath(folder.file("missing.pmx"));
    {
        iotest::Capture capture;
        EXPECT_EQ(ReadStream::open(missing.c_str()), -1);
        EXPECT_EQ(capture.text(), "Cannot open RD file : " + missing + "\n");
    }
    EXPECT_EQ(ReadStream::status(), -1);
    iotest::Capture capture;
    EXPECT_EQ(ReadStream::probe(missing.c_str()), -1);
    EXPECT_EQ(capture.text(), "");
    EXPECT_EQ(ReadStream::status(), -1);
}

TEST_F(ReadStreamTest, ProbeAndOpenReplaceAnOpenStreamFromPositionZero) {
    openWith("first", "a.bin");
    EXPECT_EQ(ReadStream::readByte(), 'f');
    iotest::writeFile(folder.file("b.bin"), "second");
    std::string second = iotest::insidePath(folder.file("b.bin"));
    iotest::Capture capture;
    EXPECT_EQ(ReadStream::probe(second.c_str()), 0);
    EXPECT_EQ(ReadStream::position(), 0);
    EXPECT_EQ(ReadStream::readByte(), 's');
    openWith("third", "c.bin");
    EXPECT_EQ(ReadStream::position(), 0);
    EXPECT_EQ(ReadStream::readByte(), 't');
    EXPECT_EQ(capture.text(), "");
}

} // namespace
