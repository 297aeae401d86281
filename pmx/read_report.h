// What the last readPmx learned of its file beyond the model's own tables, as a record: how far
// the header was read, where reading stopped and why, and the bytes after the joints. The
// reader's trace prints each stop from here as it is met; the check report prints the record.
#pragma once

#include <cstdint>

// The parts of a file in reading order.
enum class ReadSection {
    Header, Vertices, Faces, Textures, Materials, Bones, Morphs, DisplayFrames, RigidBodies, Joints
};
constexpr int kReadSectionCount = 10;

// Why reading stopped before the end of the joints.
enum class ReadStop {
    None,
    NotPmx,               // the signature or the global count: `value` the byte met (-1 the end)
    FileEnded,            // `record` the record the end cut, -1 at the section's count
    IllegalDeformType,    // `value` the vertex's deform type
    FaceCountNotTriple,   // `value` the stored vertex index count
    UnknownToonSharing,   // `value` the material's toon sharing byte
    MaterialVertexCount,  // `value` the material's face vertex count
    UnknownMorphKind,     // `value` the kind, as a signed byte
    UnsupportedJointType, // `value` the type, as a signed byte
};

struct ReadReport {
    bool opened;
    bool versionRead; // the header was read whole as far as the version
    bool globalsRead; // ... and the global bytes (the encoding and the index widths)
    ReadStop stop;    // the first stop met
    ReadSection section;
    std::int32_t record; // 0-based, -1 for none
    std::int32_t value;
    std::int32_t offset;           // bytes read when reading stopped
    std::int32_t bytesAfterJoints; // -1 when the joints were not read whole
};

extern ReadReport gReadReport;

// Before a read: nothing opened, nothing stopped.
void clearReadReport();
// Records a stop (only the first of a reading counts) and prints its trace line. Returns -1.
int stopReading(ReadStop why, ReadSection section, std::int32_t record, std::int32_t value);
// After a part returned without a stop: when the end of the file closed the stream in it,
// records where (no trace line: the reader prints none for it).
void noteEndOfFileIn(ReadSection section);
// The stored count of a section (nullptr for the header).
const std::int32_t* sectionCount(ReadSection section);
// The count of a section was read: it comes before the stop, or the stop is past its count.
bool sectionCountRead(ReadSection section);
// The first kind of index (named by the section it points into) whose width is not 1, 2 or 4,
// with that width; Header when every width is one of them.
ReadSection undefinedIndexKind(int* width);
