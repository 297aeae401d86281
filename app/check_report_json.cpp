// The check's report for pipelines (see check_report.h): JSON Lines, one object per model and a
// last one for the run, each with the format's version. The schema is in the manual page
// (doc/quorvane.1, JSON OUTPUT); its words are English and fixed, whatever the console's language.
#include "app/check_report.h"
#include "app/json_line.h"
#include "app/texture_links.h"
#include "app/twist_check.h"
#include "pmx/model.h"
#include "pmx/read_report.h"
#include "pmx/reader.h"

namespace {

constexpr int kFormatVersion = 1;

const char* const kStatusWords[] = {"clean", "findings", "unreadable"};
const char* const kSectionWords[kReadSectionCount] = {
    "header", "vertices", "faces", "textures", "materials", "bones", "morphs", "display_frames", "rigid_bodies", "joints",
};
// The kinds of index, named after the section they point into.
const char* const kIndexWords[kReadSectionCount] = {
    "", "vertex", "", "texture", "material", "bone", "morph", "", "rigid_body", "",
};
const char* const kStopWords[] = {
    "",           "not_pmx",      "file_ended",            "deform_type", "face_count",
    "toon_sharing", "material_vertex_count", "morph_kind", "joint_type",
};
const char* const kTwistSlotWords[kTwistSlotCount] = {"left arm twist", "left wrist twist", "right arm twist",
                                                      "right wrist twist"};
const char* const kTwistStateWords[] = {"not_found", "not_judged", "ok", "off"};
const char* const kChainFaultWords[kChainFaultCount] = {
    "",          "no_arm",      "no_elbow",   "no_wrist",    "arm_side",
    "elbow_side", "wrist_side", "no_length", "off_segment", "no_direction",
};
const char* const kLinkVerdictWords[] = {"present", "shared_toon", "broken"};
const char* const kLinkRepairWords[] = {"", "needs_pick", "rename"};
const char* const kLinkFoundWords[] = {"", "moved", "cp437", "latin1", "raw", "utf8_as_sjis"};

void key(const char* name) {
    jsonRaw("\"");
    jsonRaw(name);
    jsonRaw("\":");
}

void word(const char* text) {
    jsonRaw("\"");
    jsonRaw(text);
    jsonRaw("\"");
}

void axis(const Vec3& v) {
    jsonRaw("[");
    jsonFloat(v.x);
    jsonRaw(",");
    jsonFloat(v.y);
    jsonRaw(",");
    jsonFloat(v.z);
    jsonRaw("]");
}

void stop() {
    const ReadReport& r = gReadReport;
    if (r.stop == ReadStop::None) {
        jsonRaw("null");
        return;
    }
    jsonRaw("{");
    key("reason");
    word(kStopWords[static_cast<int>(r.stop)]);
    jsonRaw(",");
    key("section");
    word(kSectionWords[static_cast<int>(r.section)]);
    jsonRaw(",");
    key("record");
    if (r.record >= 0) jsonInt(r.record);
    else jsonRaw("null");
    jsonRaw(",");
    key("value");
    if (r.stop == ReadStop::FileEnded) jsonRaw("null");
    else jsonInt(r.value);
    jsonRaw(",");
    key("offset");
    jsonInt(r.offset);
    jsonRaw("}");
}

void outOfStep() {
    int width = 0;
    const ReadSection kind = undefinedIndexKind(&width);
    if (!gReadReport.globalsRead || kind == ReadSection::Header) {
        jsonRaw("null");
        return;
    }
    jsonRaw("{");
    key("index");
    word(kIndexWords[static_cast<int>(kind)]);
    jsonRaw(",");
    key("width");
    jsonInt(width);
    jsonRaw("}");
}

void counts() {
    if (!gReadReport.globalsRead) {
        jsonRaw("null");
        return;
    }
    jsonRaw("{");
    for (int s = 1; s < kReadSectionCount; ++s) {
        if (s > 1) jsonRaw(",");
        key(kSectionWords[s]);
        if (sectionCountRead(static_cast<ReadSection>(s))) jsonInt(*sectionCount(static_cast<ReadSection>(s)));
        else jsonRaw("null");
    }
    jsonRaw("}");
}

void read() {
    const ReadReport& r = gReadReport;
    jsonRaw("{");
    key("version");
    if (r.versionRead) jsonFloat(gModel.version);
    else jsonRaw("null");
    jsonRaw(",");
    key("encoding");
    if (r.globalsRead) word(gModel.textEncoding == 0 ? "UTF-16LE" : "UTF-8");
    else jsonRaw("null");
    jsonRaw(",");
    key("whole");
    jsonRaw(readPmxWasWhole() ? "true" : "false");
    jsonRaw(",");
    key("stop");
    stop();
    jsonRaw(",");
    key("out_of_step");
    outOfStep();
    jsonRaw(",");
    key("bytes_after_joints");
    if (r.bytesAfterJoints >= 0) jsonInt(r.bytesAfterJoints);
    else jsonRaw("null");
    jsonRaw(",");
    key("counts");
    counts();
    jsonRaw("}");
}

void twists() {
    jsonRaw("[");
    for (int id = 0; id < kTwistSlotCount; ++id) {
        const TwistResult& result = gTwistResults[id];
        const TwistSlot& slot = gModel.twists[id];
        const bool judged = result.state == TwistState::Matches || result.state == TwistState::Off;
        if (id > 0) jsonRaw(",");
        jsonRaw("{");
        key("slot");
        word(kTwistSlotWords[id]);
        jsonRaw(",");
        key("found");
        jsonRaw(result.state != TwistState::NotFound ? "true" : "false");
        jsonRaw(",");
        key("verdict");
        word(kTwistStateWords[static_cast<int>(result.state)]);
        jsonRaw(",");
        key("reason");
        if (result.state == TwistState::NotJudged) word(kChainFaultWords[static_cast<int>(result.fault)]);
        else jsonRaw("null");
        jsonRaw(",");
        key("stored");
        if (result.state != TwistState::NotFound) axis(slot.axis);
        else jsonRaw("null");
        jsonRaw(",");
        key("corrected");
        if (judged) axis(slot.correctedAxis);
        else jsonRaw("null");
        jsonRaw(",");
        key("angle");
        if (judged) jsonFixed2(result.angleDegrees);
        else jsonRaw("null");
        jsonRaw("}");
    }
    jsonRaw("]");
}

// The file found for a broken link: null, or where (null for a garbled name that can only be
// renamed) and how.
void candidate(const LinkResult& result) {
    if (result.found == LinkFound::None) {
        jsonRaw("null");
        return;
    }
    jsonRaw("{");
    key("path");
    if (result.candidate[0] != '\0') jsonString(result.candidate);
    else jsonRaw("null");
    jsonRaw(",");
    key("how");
    word(kLinkFoundWords[static_cast<int>(result.found)]);
    jsonRaw("}");
}

void links() {
    jsonRaw("[");
    for (int k = 0; k < gModel.keptTextureCount; ++k) {
        const LinkResult& result = gLinkResults[k];
        if (k > 0) jsonRaw(",");
        jsonRaw("{");
        key("index");
        jsonInt(k);
        jsonRaw(",");
        key("link");
        jsonString(gModel.texturePaths[k]);
        jsonRaw(",");
        key("verdict");
        word(kLinkVerdictWords[static_cast<int>(result.verdict)]);
        jsonRaw(",");
        key("repair");
        if (result.repair != LinkRepair::None) word(kLinkRepairWords[static_cast<int>(result.repair)]);
        else jsonRaw("null");
        jsonRaw(",");
        key("candidate");
        candidate(result);
        jsonRaw("}");
    }
    jsonRaw("]");
}

void header(const char* type) {
    jsonRaw("{");
    key("format");
    jsonInt(kFormatVersion);
    jsonRaw(",");
    key("type");
    word(type);
}

} // namespace

void printModelJson(const ModelCheck& check) {
    header("model");
    jsonRaw(",");
    key("path");
    jsonString(check.shown);
    jsonRaw(",");
    key("status");
    word(kStatusWords[static_cast<int>(check.status)]);
    jsonRaw(",");
    key("findings");
    jsonInt(check.findings);
    jsonRaw(",");
    key("read");
    read();
    jsonRaw(",");
    key("twists");
    if (check.checked) twists();
    else jsonRaw("[]");
    jsonRaw(",");
    key("links");
    if (check.checked) links();
    else jsonRaw("[]");
    jsonRaw(",");
    key("links_not_checked");
    jsonInt(gModel.droppedTextureCount);
    jsonRaw("}");
    jsonEndLine();
}

void printTallyJson(const CheckTally& tally, int status) {
    header("summary");
    const struct {
        const char* name;
        int value;
    } fields[] = {{"models", tally.models},         {"clean", tally.clean},   {"with_findings", tally.withFindings},
                  {"unreadable", tally.unreadable}, {"errors", tally.errors}, {"status", status}};
    for (const auto& field : fields) {
        jsonRaw(",");
        key(field.name);
        jsonInt(field.value);
    }
    jsonRaw("}");
    jsonEndLine();
}
