// The Win32 layer's record of the model read (held_model.cpp), which the repaired copy's files
// (repaired_copy.cpp) are made beside.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdio>

namespace platform {
namespace win32 {

// The held folder's wide path followed by `name` (an inside-form file name) in `out` of `units`
// units: 0, or -1 when no folder is held, the name holds a separator or what no name can hold,
// or the path does not fit.
int pathInHeldFolder(wchar_t* out, std::size_t units, const char* name);

// The system's handle under a runtime file.
HANDLE handleOf(std::FILE* file);

} // namespace win32
} // namespace platform
