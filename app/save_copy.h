// The end of one model: the repaired copy saved beside the source as stem + "-new" +
// extension, or the notice that nothing needed repair (or that the model could not be read).
#pragma once

#include <cstddef>

// The destination name for `modelPath`: the path with "-new" before its file name's extension.
// 0, or -1 when it would not fit `capacity` bytes.
int newCopyName(char* out, std::size_t capacity, const char* modelPath);
// Writes the repaired copy and reports it. 0 saved, -1 failed (reported). A copy that would
// replace a model named by an argument entry from `firstLater` on is refused: the run has
// still to read that model.
int saveRepairedCopy(const char* modelPath, int firstLater);
void notifyNothingFound();
// In place of both after a repair that renewed no link, having renamed the garbled names their
// files were found under: the model is right as it is.
void notifyRenamed();
// In place of the notice above after a model that could not be read (not opened, no PMX file,
// cut short, or read out of step): finding nothing there is no finding.
void notifyModelUnread();
