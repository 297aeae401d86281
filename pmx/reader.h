// Reads one PMX 2.0/2.1 file front to back into gModel and reports it on the console.
#pragma once

// -1 cannot open; 2 not PMX (signature or global count); 0 header accepted (body errors are
// reported by their messages).
int readPmx(const char* path);

// Whether the last readPmx got through the header and every section: false after a failed
// open, a file that is not PMX, an error in a section, or a file that ended inside the
// sections (which its result alone does not tell). Trailing data after the joints is no part
// of this. A reading that went out of step (below) was not whole either.
bool readPmxWasWhole();

// Whether the last readPmx met a header that declares an index width other than 1, 2 or 4.
// Each index of that kind is then read as nothing, so the records after the first one stand
// where the file does not hold them: what was kept from there on is no ground for a repair.
bool readPmxWentOutOfStep();
