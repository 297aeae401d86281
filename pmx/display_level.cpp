// Storage of the display level (see display_level.h). The process starts at level 0.
#include "pmx/display_level.h"

namespace {
signed char gDisplayLevel = 0;
}

signed char displayLevel() { return gDisplayLevel; }
void setDisplayLevel(signed char level) { gDisplayLevel = level; }
