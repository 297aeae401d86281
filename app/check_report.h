// The report of a check, for people and for pipelines: printers of the records the reader
// (pmx/read_report.h, gModel) and the two checks (gTwistResults, gLinkResults) leave for the
// model read last, and of the run's tally.
#pragma once

#include <cstdint>

enum class ModelStatus { Clean, Findings, Unreadable };

// What the run adds about the model read last.
struct ModelCheck {
    const char* shown; // the model's path as the system spells it
    bool checked;      // read in step: the twist and link checks ran
    int findings;      // twist axes off and broken links
    ModelStatus status;
};

struct CheckTally {
    int models; // clean + withFindings + unreadable
    int clean;
    int withFindings;
    int unreadable; // not opened, not read whole or in step, or links left unchecked
    int errors;     // paths that named no model to check (said on standard error)
};

// One block per model, in the console's language.
void printModelText(const ModelCheck& check);
void printTallyText(const CheckTally& tally);
// One JSON Lines object per model, and the last one for the run.
void printModelJson(const ModelCheck& check);
void printTallyJson(const CheckTally& tally, int status);
