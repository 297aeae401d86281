// Joining pieces of a path into a fixed buffer: all of it or nothing, never a cut path that
// would name another file.
#pragma once

#include <cstddef>

// `out` = first + second + third (third may be empty). 0, or -1 with `out` empty when the
// whole does not fit `capacity` bytes with its terminator.
int joinPath(char* out, std::size_t capacity, const char* first, const char* second,
             const char* third = "");
