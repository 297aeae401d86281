// Path helpers over Shift-JIS byte strings: every scan steps over whole characters
// (insideCharacterBytes), so a trail byte 0x5C is never taken for a separator.
// Outputs go to caller buffers at most as long as the input (relativePath: +3 per level).
#pragma once

#include <cstddef>

constexpr int kPathBytes = 260; // 259 characters and the terminator

// Up to and including the last backslash; empty when there is none. Returns 0.
int folderOf(char* out, const char* path);
// After the last backslash or slash; the whole path when there is none. Returns 0.
int fileNameOf(char* out, const char* path);
// Before the last dot; the whole path when there is none. Returns 0.
int stripExtension(char* out, const char* path);
// From the last dot, dot included: -1; no dot: empty and 0.
int extensionOf(char* out, const char* path);
// `target` relative to `baseFolder` (which ends in a backslash), or `target` unchanged.
int relativePath(char* out, const char* target, const char* baseFolder);
// Removes one trailing separator (not after a bare drive), cuts at 259 bytes. Returns 0.
int trimTrailingSeparator(char* path);
// 0 when `text` begins with `prefix`, ASCII letters without case; -1 otherwise.
int startsWithNoCase(const char* text, const char* prefix);
// Copies `path` into `out` of `capacity` bytes: 0, or -1 when it had to be cut (at a character
// boundary, terminator kept).
int copyPathBounded(char* out, std::size_t capacity, const char* path);
// The stored name of the file `path` names: 0; -1 nothing found; -2 only folders. `out`
// holds kPathBytes.
int findFileName(char* out, const char* path);
