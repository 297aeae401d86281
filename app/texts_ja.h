// The program's Japanese texts (Shift-JIS bytes), used only in Japanese mode.
// The English counterparts stand as literals next to the code that composes each message.
#pragma once

extern const char kModeLabelJa[];
extern const char kNoDroppedFileJa[];
extern const char kPleaseOpenModelJa[];
extern const char kModelHeadJa[];
extern const char kInModelJa[];
extern const char kArmTwistLJa[];
extern const char kWristTwistLJa[];
extern const char kArmTwistRJa[];
extern const char kWristTwistRJa[];
extern const char kTwistMismatchJa[];
extern const char kAskFixTwistJa[];
extern const char kBrokenCountJa[];
extern const char kSeemBrokenJa[];
extern const char kAskRepairJa[];
extern const char kInferredJa[];
extern const char kSharedToonJa[];
extern const char kTextureOrSphereJa[];
extern const char kNotFoundJa[];
extern const char kSearchNextJa[];
extern const char kRepairedJa[];
extern const char kSavedToJa[];
extern const char kNothingToRepairJa[];
extern const char kNotFoundAnyJa[];
extern const char kModelFileJa[];
extern const char kCouldNotReadJa[];
