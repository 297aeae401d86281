// The check's report for people (see check_report.h): one block per model, a line per finding,
// labels and verdicts padded to the widest of their kind in the console's language (Shift-JIS
// bytes are as wide as the terminal shows them), names and links last, as they are.
#include <cmath>
#include <cstring>

#include "app/check_report.h"
#include "app/texts_ja.h"
#include "app/texture_links.h"
#include "app/twist_check.h"
#include "platform/console.h"
#include "pmx/model.h"
#include "pmx/read_report.h"
#include "pmx/reader.h"
#include "text/language.h"

namespace {

struct Text {
    const char* en;
    const char* ja;
};

const char* pick(const Text& text) { return japaneseMode() ? text.ja : text.en; }

// The width of the widest text of a list, in the console's language.
int widest(const Text* texts, int count) {
    std::size_t width = 0;
    for (int i = 0; i < count; ++i) {
        const std::size_t length = std::strlen(pick(texts[i]));
        if (length > width) width = length;
    }
    return static_cast<int>(width);
}

enum Label { kReadLabel, kCountsLabel, kTwistLabel, kLinkLabel, kLinksLabel, kResultLabel, kLabelCount };
const Text kLabels[kLabelCount] = {
    {"read", kReadLabelJa},   {"counts", kCountsLabelJa}, {"twist", kTwistLabelJa},
    {"link", kLinkLabelJa},   {"links", kLinksLabelJa},   {"result", kResultLabelJa},
};

// Per section: its name (in stops and out-of-step lines) and its count as shown.
const Text kSectionNames[kReadSectionCount] = {
    {"header", kHeaderNameJa},         {"vertex", kVertexNameJa}, {"face", kFaceNameJa},
    {"texture", kTextureNameJa},       {"material", kMaterialNameJa}, {"bone", kBoneNameJa},
    {"morph", kMorphNameJa},           {"display frame", kDisplayFrameNameJa},
    {"rigid body", kRigidBodyNameJa},  {"joint", kJointNameJa},
};
const char* const kCountFormats[kReadSectionCount] = {
    "", "%d vertices", "%d faces", "%d textures", "%d materials", "%d bones", "%d morphs",
    "%d display frames", "%d rigid bodies", "%d joints",
};

const Text kTwistSlots[kTwistSlotCount] = {
    {"left arm twist", kArmTwistLNameJa}, {"left wrist twist", kWristTwistLNameJa},
    {"right arm twist", kArmTwistRNameJa}, {"right wrist twist", kWristTwistRNameJa},
};
const Text kTwistStates[] = {
    {"not found", kTwistNotFoundJa}, {"not judged", kTwistNotJudgedJa}, {"ok", kTwistMatchesJa},
    {"off", kTwistOffJa},
};
const Text kLinkVerdicts[] = {{"ok", kLinkPresentJa}, {"shared toon", kLinkSharedToonJa}, {"broken", kLinkBrokenJa}};
const char* const kChainFaultsJa[kChainFaultCount] = {
    "", kNoArmJa, kNoElbowJa, kNoWristJa, kArmSideJa, kElbowSideJa, kWristSideJa, kNoLengthJa, kOffSegmentJa,
    kNoDirectionJa,
};

int gLabelWidth = 0;

// The start of a line: the label padded to the block's label column.
void printLabel(const char* label) { reportPrint("  %-*s  ", gLabelWidth, label); }

// The same with a number after the label, right-aligned in the column.
void printNumberedLabel(const char* label, int number) {
    const int width = gLabelWidth - static_cast<int>(std::strlen(label)) - 1;
    reportPrint("  %s %*d  ", label, width, number);
}

int digits(int value) {
    int count = 1;
    for (; value >= 10; value /= 10) ++count;
    return count;
}

// The stop as a phrase: what ended the reading, and where.
void printStop() {
    const ReadReport& r = gReadReport;
    const bool ja = japaneseMode();
    const char* section = pick(kSectionNames[static_cast<int>(r.section)]);
    switch (r.stop) {
    case ReadStop::NotPmx:
        if (r.value < 0) reportPrint(ja ? kNotPmxEndedJa : "not a PMX file: it ends after %d bytes", r.offset);
        else reportPrint(ja ? kNotPmxByteJa : "not a PMX file: byte %d is 0x%02X", r.offset, static_cast<unsigned>(r.value));
        break;
    case ReadStop::FileEnded:
        if (r.section == ReadSection::Header)
            reportPrint(ja ? kEndedInHeaderJa : "the file ends after %d bytes, in the header", r.offset);
        else if (r.record < 0)
            reportPrint(ja ? kEndedAtCountJa : "the file ends after %d bytes, at the %s count", r.offset, section);
        else
            reportPrint(ja ? kEndedInRecordJa : "the file ends after %d bytes, in %s %d", r.offset, section, r.record);
        break;
    case ReadStop::IllegalDeformType:
        reportPrint(ja ? kDeformTypeJa : "vertex %d has deform type %d", r.record, r.value);
        break;
    case ReadStop::FaceCountNotTriple:
        reportPrint(ja ? kFaceCountJa : "the face index count %d is no multiple of 3", r.value);
        break;
    case ReadStop::UnknownToonSharing:
        reportPrint(ja ? kToonSharingJa : "material %d has toon sharing %d", r.record, r.value);
        break;
    case ReadStop::MaterialVertexCount:
        reportPrint(ja ? kMaterialVerticesJa : "material %d has %d face vertices, no multiple of 3", r.record, r.value);
        break;
    case ReadStop::UnknownMorphKind: reportPrint(ja ? kMorphKindJa : "morph %d has kind %d", r.record, r.value); break;
    case ReadStop::UnsupportedJointType:
        reportPrint(ja ? kJointTypeJa : "joint %d has type %d", r.record, r.value);
        break;
    case ReadStop::None: break;
    }
}

void printRead() {
    const ReadReport& r = gReadReport;
    const bool ja = japaneseMode();
    printLabel(pick(kLabels[kReadLabel]));
    if (r.versionRead) reportPrint(ja ? kVersionJa : "version %.2f, ", static_cast<double>(gModel.version));
    if (r.globalsRead) reportPrint("%s, ", gModel.textEncoding == 0 ? "UTF-16LE" : "UTF-8");
    int width = 0;
    const ReadSection undefined = undefinedIndexKind(&width);
    if (r.stop != ReadStop::None) {
        printStop();
    } else if (r.globalsRead && undefined != ReadSection::Header) {
        reportPrint(ja ? kOutOfStepJa : "out of step: the %s index width is %d", pick(kSectionNames[static_cast<int>(undefined)]),
                    width);
    } else {
        reportPrint("%s", ja ? kReadWholeJa : "read whole");
        if (r.bytesAfterJoints > 0)
            reportPrint(ja ? kBytesAfterJointsJa : ", %d bytes after the joints", r.bytesAfterJoints);
    }
    reportPrint("\n");
}

void printCounts() {
    if (!sectionCountRead(ReadSection::Vertices)) return;
    printLabel(pick(kLabels[kCountsLabel]));
    for (int s = 1; s < kReadSectionCount && sectionCountRead(static_cast<ReadSection>(s)); ++s) {
        const int count = *sectionCount(static_cast<ReadSection>(s));
        if (s > 1) reportPrint(", ");
        if (japaneseMode()) reportPrint("%s %d", kSectionNames[s].ja, count);
        else reportPrint(kCountFormats[s], count);
    }
    reportPrint("\n");
}

void printAxis(const Vec3& axis) {
    reportPrint("(%.3f, %.3f, %.3f)", static_cast<double>(axis.x), static_cast<double>(axis.y),
                static_cast<double>(axis.z));
}

void printTwists() {
    const bool ja = japaneseMode();
    const int slotWidth = widest(kTwistSlots, kTwistSlotCount);
    const int stateWidth = widest(kTwistStates, 4);
    for (int id = 0; id < kTwistSlotCount; ++id) {
        const TwistResult& result = gTwistResults[id];
        const TwistSlot& slot = gModel.twists[id];
        printLabel(pick(kLabels[kTwistLabel]));
        const char* state = pick(kTwistStates[static_cast<int>(result.state)]);
        if (result.state == TwistState::NotFound) {
            reportPrint("%-*s  %s\n", slotWidth, pick(kTwistSlots[id]), state);
            continue;
        }
        reportPrint("%-*s  %-*s  %s ", slotWidth, pick(kTwistSlots[id]), stateWidth, state, ja ? kStoredJa : "stored");
        printAxis(slot.axis);
        if (result.state == TwistState::NotJudged) {
            reportPrint(", %s", ja ? kChainFaultsJa[static_cast<int>(result.fault)] : chainFaultText(result.fault));
        } else {
            reportPrint(", %s ", ja ? kCorrectedJa : "corrected");
            printAxis(slot.correctedAxis);
            if (std::isfinite(result.angleDegrees)) reportPrint(ja ? kDegreesJa : ", %.2f degrees", result.angleDegrees);
        }
        reportPrint("\n");
    }
}

// The ways a garbled name was unpacked, by LinkFound from Cp437 on.
const Text kGarblings[] = {
    {"code page 437", kCodePage437Ja}, {"Latin-1", "Latin-1"}, {"raw bytes", kRawBytesJa},
    {"UTF-8 read as Shift-JIS", kUtf8AsSjisJa},
};

// What a repair of a broken link has to go on: the file found and how, or that the user must pick.
void printFound(const LinkResult& result) {
    const bool ja = japaneseMode();
    reportPrint(": ");
    if (result.found == LinkFound::None) {
        reportPrint("%s", ja ? kNeedsPickJa : "needs a pick");
    } else if (result.found == LinkFound::Moved) {
        reportPrint(ja ? kMovedToJa : "moved to %s", result.candidate);
    } else {
        const int garbling = static_cast<int>(result.found) - static_cast<int>(LinkFound::Cp437);
        reportPrint(ja ? kGarbledAsJa : "garbled as %s", pick(kGarblings[garbling]));
        // A name the program cannot give can only be renamed.
        if (result.candidate[0] != '\0') reportPrint(": %s", result.candidate);
    }
}

void printLinks() {
    const int count = gModel.keptTextureCount;
    const int verdictWidth = widest(kLinkVerdicts, 3);
    for (int k = 0; k < count; ++k) {
        const LinkResult& result = gLinkResults[k];
        printNumberedLabel(pick(kLabels[kLinkLabel]), k);
        reportPrint("%-*s  %s", verdictWidth, pick(kLinkVerdicts[static_cast<int>(result.verdict)]),
                    gModel.texturePaths[k]);
        if (result.repair != LinkRepair::None) printFound(result);
        reportPrint("\n");
    }
    if (gModel.droppedTextureCount > 0) {
        printLabel(pick(kLabels[kLinksLabel]));
        reportPrint(japaneseMode() ? kLinksNotCheckedJa : "%d past the %dth not checked", gModel.droppedTextureCount,
                    kTextureCapacity);
        reportPrint("\n");
    }
}

void printResult(const ModelCheck& check) {
    const bool ja = japaneseMode();
    printLabel(pick(kLabels[kResultLabel]));
    if (check.status == ModelStatus::Clean) reportPrint("%s", ja ? kCleanJa : "clean");
    if (check.status == ModelStatus::Unreadable) reportPrint("%s", ja ? kUnreadableJa : "unreadable");
    if (check.status == ModelStatus::Unreadable && check.findings > 0) reportPrint(", ");
    if (check.findings > 0) reportPrint(ja ? kFindingsJa : "%d finding(s)", check.findings);
    reportPrint("\n");
}

} // namespace

void printModelText(const ModelCheck& check) {
    int width = widest(kLabels, kLabelCount);
    if (check.checked && gModel.keptTextureCount > 0) {
        const int linkWidth = static_cast<int>(std::strlen(pick(kLabels[kLinkLabel]))) + 1 +
                              digits(gModel.keptTextureCount - 1);
        if (linkWidth > width) width = linkWidth;
    }
    gLabelWidth = width;
    reportPrint("%s\n", check.shown);
    printRead();
    printCounts();
    if (check.checked) {
        printTwists();
        printLinks();
    }
    printResult(check);
    reportPrint("\n");
}

void printTallyText(const CheckTally& tally) {
    reportPrint(japaneseMode() ? kTallyJa : "%d model(s) checked: %d clean, %d with findings, %d unreadable", tally.models,
                tally.clean, tally.withFindings, tally.unreadable);
    if (tally.errors > 0) reportPrint(japaneseMode() ? kTallyErrorsJa : ", %d error(s)", tally.errors);
    reportPrint("\n");
}
