// The twist-axis check and its question (see twist_check.h). Every difference and quotient is
// rounded to a float as it is made, and the sums of squares are worked in long double, so that
// an axis exactly at the tolerance is judged the same on every compiler.
#include "app/twist_check.h"

#include <cmath>

#include "app/message_text.h"
#include "app/texts_ja.h"
#include "io/path.h"
#include "platform/console.h"
#include "text/language.h"

namespace {

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

// Compares one twist slot with the direction from `from` to `to`. Coincident bones give no
// direction; bones near the float limit give a difference or a length that overflows, and a
// quotient that comes out (0, 0, 0): no verdict either way, so no such axis is ever written.
void checkTwist(TwistSlot* twist, const Vec3& from, const Vec3& to) {
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
        !usableDirection(corrected.x, corrected.y, corrected.z))
        return;
    const float ex = roundedDifference(twist->correctedAxis.x, twist->axis.x);
    const float ey = roundedDifference(twist->correctedAxis.y, twist->axis.y);
    const float ez = roundedDifference(twist->correctedAxis.z, twist->axis.z);
    const float distance = roundedLength(ex, ey, ez);
    if (static_cast<double>(distance) > kTwistTolerance) twist->verdict = true;
}

void checkSide(BoneSlotId arm, BoneSlotId elbow, BoneSlotId wrist, TwistSlotId armTwist,
               TwistSlotId wristTwist) {
    const BoneSlot* bones = gModel.bones;
    if (!bones[arm].found || !bones[elbow].found || !bones[wrist].found) return;
    checkTwist(&gModel.twists[armTwist], bones[arm].position, bones[elbow].position);
    checkTwist(&gModel.twists[wristTwist], bones[elbow].position, bones[wrist].position);
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

void runTwistAxisCheck() {
    checkSide(kArmL, kElbowL, kWristL, kArmTwistL, kWristTwistL);
    checkSide(kArmR, kElbowR, kWristR, kArmTwistR, kWristTwistR);
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
