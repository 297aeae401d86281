// The process-wide settings of one run: the system's version, the two language flags, the
// option values and the folders of the program and of the model being processed.
#pragma once

#include <cstdint>

#include "io/path.h"

constexpr float kDefaultErrorAdmittance = 1.5f;
constexpr std::int8_t kDefaultConvMode = 15;

struct RunSettings {
    float osVersion;
    bool isJapaneseUser;     // the user's default language is Japanese (1041)
    bool isShiftJisCodePage; // 0x92 is a lead byte of the system's code page
    std::int8_t displayLevel;             // Info.displayLevel (option D)
    float errorAdmittance;                // ErrorAdmittance (option E), echoed only
    std::int8_t convMode;                 // Conv.mode (option M), echoed only
    std::int8_t cancelDisplayingDialogue; // Cancel.displaying.dialogue (option ND), echoed only
    char exePath[kPathBytes];
    char exeFolder[kPathBytes];   // ends in a backslash, or empty
    char modelFolder[kPathBytes]; // ends in a backslash, or empty
};

extern RunSettings gSettings;

// Sets Info.displayLevel here and in the reader, which prints more at levels 1 and 2.
void setRunDisplayLevel(std::int8_t level);

// Back to the values a run starts with (the version and language flags are left alone).
void resetOptionSettings();
