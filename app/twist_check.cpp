// The twist-axis check and its question (see twist_check.h). Every difference and quotient is
// rounded to a float as it is made, and the sums of squares are worked in long double, so that
// an axis exactly at the tolerance is judged the same on every compiler. A verdict is given only
// on an arm that holds together: a bone that merely shares a slot's name (a wrist tip also
// named wrist_R) must never turn a right axis into a wrong one.
#include "app/twist_check.h"

#include <cmath>

#include "app/message_text.h"
#include "app/texts_ja.h"
#include "io/path.h"
#include "platform/console.h"
#include "pmx/display_level.h"
#include "text/language.h"

namespace {

// How far a twist bone may lie from the segment it turns along, in lengths of that segment:
// beyond either end, and away from its line. Real models put it on the segment (between 0.26
// and 0.6 of the way, at most 0.07 off the line); tests/app/twist_check_test.cpp tries poses.
constexpr double kBeyondEndShare = 0.05;
constexpr double kOffLineShare = 0.25;

const char* const kChainFaultTexts[kChainFaultCount] = {
    "",
    "no arm bone",
    "no elbow bone",
    "no wrist bone",
    "the arm lies on the other side",
    "the elbow lies on the other side",
    "the wrist lies on the other side",
    "its segment has no length",
    "the twist bone lies off its segment",
    "its segment gives no direction",
};
const char* const kTwistSlotTexts[kTwistSlotCount] = {"left arm twist", "left wrist twist", "right arm twist",
                                                      "right wrist twist"};

// The arm, elbow and wrist of one side lie on that side of the body (MMD's left is +x).
ChainFault sideFault(const Vec3& arm, const Vec3& elbow, const Vec3& wrist, float sign) {
    if (!(sign * arm.x > 0.0f)) return ChainFault::ArmSide;
    if (!(sign * elbow.x > 0.0f)) return ChainFault::ElbowSide;
    if (!(sign * wrist.x > 0.0f)) return ChainFault::WristSide;
    return ChainFault::None;
}

// The segment from `from` to `to` has a length, and the twist bone lies near it, between its ends.
ChainFault segmentFault(const Vec3& twist, const Vec3& from, const Vec3& to) {
    const double dx = static_cast<double>(to.x) - from.x, dy = static_cast<double>(to.y) - from.y,
                 dz = static_cast<double>(to.z) - from.z;
    const double squared = dx * dx + dy * dy + dz * dz;
    if (!(squared > 0.0) || !std::isfinite(squared)) return ChainFault::NoLength;
    const double px = static_cast<double>(twist.x) - from.x, py = static_cast<double>(twist.y) - from.y,
                 pz = static_cast<double>(twist.z) - from.z;
    const double along = (px * dx + py * dy + pz * dz) / squared;
    const double ox = px - along * dx, oy = py - along * dy, oz = pz - along * dz;
    const double off = (ox * ox + oy * oy + oz * oz) / squared;
    if (!(along >= -kBeyondEndShare && along <= 1.0 + kBeyondEndShare && off <= kOffLineShare * kOffLineShare))
        return ChainFault::OffSegment;
    return ChainFault::None;
}

float roundedLength(float x, float y, float z) {
    long double sum = static_cast<long double>(y) * y + static_cast<long double>(x) * x +
                      static_cast<long double>(z) * z;
    volatile float length = static_cast<float>(std::sqrt(static_cast<double>(sum)));
    return length;
}

float roundedDifference(float a, float b) {
    volatile float d = a - b;
    return d;
}

float roundedQuotient(float a, float b) {
    volatile float q = a / b;
    return q;
}

// A direction that can stand as an axis: every part finite, not all of them zero.
bool usableDirection(float x, float y, float z) {
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(z) &&
           (x != 0.0f || y != 0.0f || z != 0.0f);
}

// The angle between two axes in degrees; NaN when either has no direction.
double angleBetween(const Vec3& a, const Vec3& b) {
    const double ax = a.x, ay = a.y, az = a.z, bx = b.x, by = b.y, bz = b.z;
    const double cx = ay * bz - az * by, cy = az * bx - ax * bz, cz = ax * by - ay * bx;
    const double cross = std::sqrt(cx * cx + cy * cy + cz * cz);
    const double dot = ax * bx + ay * by + az * bz;
    if (!usableDirection(a.x, a.y, a.z) || !usableDirection(b.x, b.y, b.z) || !std::isfinite(cross + dot))
        return std::nan("");
    constexpr double kDegreesPerRadian = 57.29577951308232;
    return std::atan2(cross, dot) * kDegreesPerRadian; // steadier than acos near 0 and 180
}

// Compares one twist slot with the direction from `from` to `to`. Coincident bones give no
// direction; bones near the float limit give a difference or a length that overflows, and a
// quotient that comes out (0, 0, 0): no verdict either way, so no such axis is ever written.
void checkTwist(TwistSlot* twist, TwistResult* result, const Vec3& from, const Vec3& to) {
    const float dx = roundedDifference(to.x, from.x);
    const float dy = roundedDifference(to.y, from.y);
    const float dz = roundedDifference(to.z, from.z);
    const float length = roundedLength(dx, dy, dz);
    if (!twist->found) return;
    twist->correctedAxis.x = roundedQuotient(dx, length);
    twist->correctedAxis.y = roundedQuotient(dy, length);
    twist->correctedAxis.z = roundedQuotient(dz, length);
    const Vec3& corrected = twist->correctedAxis;
    if (!usableDirection(dx, dy, dz) || !std::isfinite(length) ||
        !usableDirection(corrected.x, corrected.y, corrected.z)) {
        result->fault = ChainFault::NoDirection;
        return;
    }
    const float ex = roundedDifference(twist->correctedAxis.x, twist->axis.x);
    const float ey = roundedDifference(twist->correctedAxis.y, twist->axis.y);
    const float ez = roundedDifference(twist->correctedAxis.z, twist->axis.z);
    const float distance = roundedLength(ex, ey, ez);
    if (static_cast<double>(distance) > kTwistTolerance) twist->verdict = true;
    result->state = twist->verdict ? TwistState::Off : TwistState::Matches;
    result->angleDegrees = angleBetween(twist->axis, corrected);
}

// One twist slot on a chain whose side is already judged: no verdict when the chain does not hold.
void judgeTwist(TwistSlotId id, const Vec3& from, const Vec3& to, ChainFault fault) {
    TwistSlot* twist = &gModel.twists[id];
    TwistResult* result = &gTwistResults[id];
    if (!twist->found) return;
    result->state = TwistState::NotJudged;
    result->fault = fault != ChainFault::None ? fault : segmentFault(twist->position, from, to);
    if (result->fault == ChainFault::None) checkTwist(twist, result, from, to);
}

// The first bone of a side's chain that is missing.
ChainFault missingBone(const BoneSlot& arm, const BoneSlot& elbow, const BoneSlot& wrist) {
    if (!arm.found) return ChainFault::NoArm;
    if (!elbow.found) return ChainFault::NoElbow;
    if (!wrist.found) return ChainFault::NoWrist;
    return ChainFault::None;
}

void checkSide(BoneSlotId arm, BoneSlotId elbow, BoneSlotId wrist, TwistSlotId armTwist,
               TwistSlotId wristTwist, float sign) {
    const BoneSlot* bones = gModel.bones;
    ChainFault fault = missingBone(bones[arm], bones[elbow], bones[wrist]);
    if (fault == ChainFault::None)
        fault = sideFault(bones[arm].position, bones[elbow].position, bones[wrist].position, sign);
    judgeTwist(armTwist, bones[arm].position, bones[elbow].position, fault);
    judgeTwist(wristTwist, bones[elbow].position, bones[wrist].position, fault);
}

// At display level 1 or more, a line for each bone left without a verdict because its arm does
// not hold together (a missing bone and a direction that cannot be had go unsaid, as always).
void printTwistTrace() {
    if (displayLevel() < 1) return;
    for (int id = 0; id < kTwistSlotCount; ++id) {
        const ChainFault fault = gTwistResults[id].fault;
        if (gTwistResults[id].state != TwistState::NotJudged || fault < ChainFault::ArmSide ||
            fault > ChainFault::OffSegment)
            continue;
        consolePrint("No twist verdict for %s: %s. \n", kTwistSlotTexts[id], kChainFaultTexts[static_cast<int>(fault)]);
    }
}

// Question lines per twist slot, in slot order.
const char* const kTwistLinesJa[kTwistSlotCount] = {kArmTwistLJa, kWristTwistLJa, kArmTwistRJa,
                                                    kWristTwistRJa};
const char* const kTwistLinesEn[kTwistSlotCount] = {
    " left arm twist \r\n", " left wrist twist \r\n", " right arm twist \r\n",
    " right wrist twist \r\n"};

void appendMarkedBones(MessageText* message, const char* const* lines) {
    for (int i = 0; i < kTwistSlotCount; ++i)
        if (gModel.twists[i].verdict) appendPiece(message, lines[i]);
}

} // namespace

TwistResult gTwistResults[kTwistSlotCount];

const char* twistSlotText(int slot) { return kTwistSlotTexts[slot]; }

const char* chainFaultText(ChainFault fault) { return kChainFaultTexts[static_cast<int>(fault)]; }

void runTwistAxisCheck() {
    for (TwistResult& result : gTwistResults) result = {TwistState::NotFound, ChainFault::None, std::nan("")};
    checkSide(kArmL, kElbowL, kWristL, kArmTwistL, kWristTwistL, 1.0f);
    checkSide(kArmR, kElbowR, kWristR, kArmTwistR, kWristTwistR, -1.0f);
    printTwistTrace();
}

bool anyTwistVerdict() {
    for (const TwistSlot& twist : gModel.twists)
        if (twist.verdict) return true;
    return false;
}

int confirmTwistRepair(const char* modelPath) {
    if (!anyTwistVerdict()) return 0;
    char name[kPathBytes];
    if (findFileName(name, modelPath) != 0) name[0] = '\0';

    MessageText message;
    clearMessageText(&message);
    if (japaneseMode()) {
        appendPiece(&message, kModelHeadJa);
        appendPieceWithText(&message, " %s \r\n", name);
        appendPiece(&message, kInModelJa);
        appendMarkedBones(&message, kTwistLinesJa);
        appendPiece(&message, kTwistMismatchJa);
        appendPiece(&message, " \r\n");
        appendPiece(&message, kAskFixTwistJa);
    } else {
        appendPiece(&message, " Unmatched twisting axis settings of \r\n");
        appendMarkedBones(&message, kTwistLinesEn);
        appendPiece(&message, " bones are found in the model: \r\n");
        appendPieceWithText(&message, " %s \r\n", name);
        appendPiece(&message, "\r\n");
        appendPiece(&message, " Do you like to fix them?  (Y/N/Cancel) \r\n");
    }

    Answer answer = askUser(&message, MessageKind::Question);
    if (answer == Answer::Cancel) return -1;
    if (answer == Answer::No)
        for (TwistSlot& twist : gModel.twists) twist.verdict = false;
    consolePrint("\n");
    return 0;
}
