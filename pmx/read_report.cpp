// The reading's record (see read_report.h) and the trace lines of its stops, worded as the
// reader has always printed them.
#include "pmx/read_report.h"

#include "io/read_stream.h"
#include "platform/console.h"
#include "pmx/model.h"

ReadReport gReadReport;

namespace {

// The trace line of a file that ended before a record, per section.
const char* const kEndedMessages[kReadSectionCount] = {
    "",
    "Err: file ended at vertex %d. \n",
    "Err: file ended at surface %d. \n",
    "Err: file ended at texture %d. \n",
    "Err: file ended at material %d. \n",
    "Err: file ended at bone %d. \n",
    "Err: file ended at morph %d. \n",
    "Err: file ended at display frame %d. \n",
    "Err: file ended at rigid body %d. \n",
    "Err: file ended at joint %d. \n",
};

void printStop(ReadStop why, ReadSection section, std::int32_t record, std::int32_t value) {
    switch (why) {
    case ReadStop::NotPmx:
        consolePrint("Illegal file format at %06X=(%02X) \n", static_cast<unsigned>(ReadStream::position()),
                     static_cast<unsigned>(value));
        break;
    case ReadStop::FileEnded:
        // The trace names the record about to be read, the one after the cut one.
        consolePrint(kEndedMessages[static_cast<int>(section)], record + 1);
        break;
    case ReadStop::IllegalDeformType: consolePrint("Err: illegal DEF type %d. \n", value); break;
    case ReadStop::FaceCountNotTriple:
        consolePrint("Err: num of surface data (=%d) is not multiples of 3. \n", value);
        break;
    case ReadStop::UnknownToonSharing:
        // The spelling is kept: doc/compatibility.md.
        consolePrint("Err: unknown toon sharing mode at matrial %d. \n", record);
        break;
    case ReadStop::MaterialVertexCount:
        consolePrint("Err: illegal material-related vertex number at matrial %d. \n", record);
        break;
    case ReadStop::UnknownMorphKind: consolePrint("Err: unknown morph kind at morph %d. \n", record); break;
    case ReadStop::UnsupportedJointType:
        consolePrint("Err: joint type %d unsupported at joint %d. \n", value, record);
        break;
    case ReadStop::None: break;
    }
}

} // namespace

void clearReadReport() {
    gReadReport = ReadReport{false, false, false, ReadStop::None, ReadSection::Header, -1, 0, 0, -1};
}

int stopReading(ReadStop why, ReadSection section, std::int32_t record, std::int32_t value) {
    if (gReadReport.stop == ReadStop::None) {
        // A value made of bytes past the end of the file is no value the file holds.
        gReadReport.stop = why != ReadStop::NotPmx && ReadStream::status() != 0 ? ReadStop::FileEnded : why;
        gReadReport.section = section;
        gReadReport.record = record;
        gReadReport.value = value;
        gReadReport.offset = ReadStream::position();
    }
    printStop(why, section, record, value);
    return -1;
}

void noteEndOfFileIn(ReadSection section) {
    if (gReadReport.stop != ReadStop::None || ReadStream::status() == 0) return;
    // A count read past the end is negative (its missing bytes read as 0xFF), so no record of
    // the section was begun; otherwise the end cut its last record.
    const std::int32_t* count = sectionCount(section);
    const std::int32_t record = count != nullptr && *count > 0 ? *count - 1 : -1;
    gReadReport.stop = ReadStop::FileEnded;
    gReadReport.section = section;
    gReadReport.record = record;
    gReadReport.value = 0;
    gReadReport.offset = ReadStream::position();
}

const std::int32_t* sectionCount(ReadSection section) {
    switch (section) {
    case ReadSection::Vertices: return &gModel.vertexCount;
    case ReadSection::Faces: return &gModel.faceCount;
    case ReadSection::Textures: return &gModel.textureCount;
    case ReadSection::Materials: return &gModel.materialCount;
    case ReadSection::Bones: return &gModel.boneCount;
    case ReadSection::Morphs: return &gModel.morphCount;
    case ReadSection::DisplayFrames: return &gModel.displayFrameCount;
    case ReadSection::RigidBodies: return &gModel.rigidBodyCount;
    case ReadSection::Joints: return &gModel.jointCount;
    case ReadSection::Header: break;
    }
    return nullptr;
}

bool sectionCountRead(ReadSection section) {
    const ReadReport& r = gReadReport;
    if (!r.globalsRead) return false;
    if (r.stop == ReadStop::None) return true;
    return section < r.section || (section == r.section && r.record >= 0);
}

ReadSection undefinedIndexKind(int* width) {
    const struct {
        std::uint8_t width;
        ReadSection section;
    } kinds[] = {{gModel.vertexIndexSize, ReadSection::Vertices},     {gModel.textureIndexSize, ReadSection::Textures},
                 {gModel.materialIndexSize, ReadSection::Materials}, {gModel.boneIndexSize, ReadSection::Bones},
                 {gModel.morphIndexSize, ReadSection::Morphs},       {gModel.rigidBodyIndexSize, ReadSection::RigidBodies}};
    for (const auto& kind : kinds) {
        if (kind.width != 1 && kind.width != 2 && kind.width != 4) {
            *width = kind.width;
            return kind.section;
        }
    }
    return ReadSection::Header;
}
