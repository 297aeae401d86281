// The data after the joints (the soft bodies of PMX 2.1): counted, not parsed, and shown in
// hexadecimal at display level 1 and above.
#include "io/read_stream.h"
#include "platform/console.h"
#include "pmx/display_level.h"
#include "pmx/read_parts.h"

namespace {
constexpr long kDumpBytesPerLine = 16;
}

void readTrailingData(int firstByte)
{
    const signed char level = displayLevel();
    if (level < 1) {
        // Nothing of it is shown: passed over to the end of the file in blocks.
        (void)firstByte;
        while (ReadStream::skip(ReadStream::kBlockBytes) == ReadStream::kBlockBytes) {
        }
        return;
    }
    if (level >= 2) consolePrint("Unrecognized data bytes found. \n");
    long count = 0;
    for (int b = firstByte; b != -1; b = ReadStream::readByte()) {
        consolePrint("%02X ", static_cast<unsigned>(b));
        ++count;
        if (count % kDumpBytesPerLine == 0) consolePrint("\n");
    }
    consolePrint("\n");
    consolePrint(level >= 2 ? "Unrecognized block: " : "SoftBody block: ");
    consolePrint("Total %ld bytes.\n", count);
}
