// The PMX header: signature, version, the global bytes (encoding and index sizes), the four
// model texts, and the console display of the model's name.
#include <cstring>

#include "io/read_stream.h"
#include "platform/console.h"
#include "pmx/display_level.h"
#include "pmx/read_parts.h"
#include "pmx/read_report.h"
#include "text/language.h"
#include "text/sjis_tables.h"

namespace {

constexpr int kGlobalBytesKept = 8;
constexpr int kModelNameShownBytes = 20;

void reportIllegalFormat(int value)
{
    stopReading(ReadStop::NotPmx, ReadSection::Header, -1, value);
    ReadStream::close();
}

// Shows one of the two model names: the line only for the language in use, the notice of a
// double-byte character cut by the 20-byte display limit for either.
void showName(const unsigned char* name, bool printLine)
{
    if (textIsEmpty(name)) return;
    char sjis[kSjisTextBytes];
    textToSjis(sjis, name);
    if (printLine) consolePrint("Model: %s \n", sjis);
    sjis[kModelNameShownBytes] = 0; // the buffer is far longer than 20 bytes
    if (trimDanglingLeadByte(sjis) == 1 && displayLevel() >= 1)
        // The spelling is kept: doc/compatibility.md.
        consolePrint("(>20 DBCS-trancated) ");
}

} // namespace

int readHeader()
{
    gReadReport.opened = true; // the header is read right after the file opened
    static const unsigned char kSignature[3] = {0x50, 0x4D, 0x58}; // "PMX"
    for (unsigned char expected : kSignature) {
        int b = ReadStream::readByte();
        if (b != expected) {
            reportIllegalFormat(b);
            return 2;
        }
    }
    ReadStream::readByte(); // a blank in real files; any byte is accepted

    gModel.version = ReadStream::readFloat();
    gReadReport.versionRead = ReadStream::status() == 0;
    consolePrint("PMX Ver %4.2f \n", static_cast<double>(gModel.version));

    int globalCount = ReadStream::readByte();
    if (globalCount < kGlobalBytesKept) {
        reportIllegalFormat(globalCount);
        return 2;
    }
    std::uint8_t* const globals[kGlobalBytesKept] = {
        &gModel.textEncoding,      &gModel.additionalUvCount, &gModel.vertexIndexSize,
        &gModel.textureIndexSize,  &gModel.materialIndexSize, &gModel.boneIndexSize,
        &gModel.morphIndexSize,    &gModel.rigidBodyIndexSize,
    };
    for (std::uint8_t* field : globals)
        *field = static_cast<std::uint8_t>(ReadStream::readByte() & 0xFF);
    gReadReport.globalsRead = ReadStream::status() == 0;
    // Global bytes of later format revisions are passed over so the model name is read
    // where it stands.
    skipBytes(globalCount - kGlobalBytesKept);

    readText(gModel.modelName);
    readText(gModel.modelNameEnglish);
    showName(gModel.modelNameEnglish, !japaneseMode());
    showName(gModel.modelName, japaneseMode());
    readText(gModel.comment);
    readText(gModel.commentEnglish);
    return 0;
}
