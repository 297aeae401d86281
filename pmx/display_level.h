// The console verbosity shared by the reader and the driver (option D): 0 quiet, 1 adds the
// hexadecimal dumps and notices, 2 names unrecognised data as such.
#pragma once

signed char displayLevel();
void setDisplayLevel(signed char level);
