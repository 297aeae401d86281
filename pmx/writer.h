// Writes the repaired copy: the source byte for byte, with renewed texture entries and the
// corrected fixed axes replaced, through a temporary file renamed over the destination.
#pragma once

// 0 when the destination holds the complete copy; -1 otherwise (nothing of the destination
// name was changed, the temporary file removed).
int writePatchedPmx(const char* destination, const char* source);
