// The POSIX layer's record of the model read (held_model.cpp), which the repaired copy's files
// (repaired_copy.cpp) are made beside, and the opening of a regular file that both share.
#pragma once

#include <sys/types.h>

namespace platform {
namespace posix {

// The folder the model was read from, open; -1 when no model is held.
int heldFolder();
// The permission bits of the model read.
mode_t heldModeBits();
// The file of device `device` and inode `inode` is the model held.
bool isHeldModel(dev_t device, ino_t inode);

// A regular file `name` (outside form) opened for reading relative to `folder` (a descriptor,
// or AT_FDCWD), following links: anything else is refused unopened where the type tells, and
// the open never waits (a FIFO waits for a writer there). The descriptor, or -1 (files.cpp).
int openRegularAt(int folder, const char* name);

} // namespace posix
} // namespace platform
