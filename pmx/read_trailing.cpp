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
    if (level >= 2) consolePrint("Unrecognized data bytes found. \n");
    long count = 0;
    for (int b = firstByte; b != -1; b = ReadStream::readByte()) {
        if (level >= 1) consolePrint("%02X ", static_cast<unsigned>(b));
        ++count;
        if (level >= 1 && count % kDumpBytesPerLine == 0) consolePrint("\n");
    }
    if (level >= 1) {
        consolePrint("\n");
        consolePrint(level >= 2 ? "Unrecognized block: " : "SoftBody block: ");
        consolePrint("Total %ld bytes.\n", count);
    }
}
