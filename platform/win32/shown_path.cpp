// Paths on the console as Windows writes them: the inside form's separators are its own.
#include "platform/platform.h"

namespace platform {

const char* shownPath(const char* path) { return path; }

} // namespace platform
