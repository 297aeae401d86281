// The option entries of the command line: D (display level), E or EA (error admittance),
// M (conversion mode) and ND (no dialogue), in any case, run together or split by "-" or "/".
#pragma once

// Walks one option entry. With `store` the values are recorded in gSettings and echoed;
// without it they are only stepped over. Unknown letters are reported either way (so twice in a
// run), and only D is consulted by the program: both kept on purpose, doc/compatibility.md.
// Returns how many unknown letters there were.
int parseOptionEntry(const char* entry, bool store);
