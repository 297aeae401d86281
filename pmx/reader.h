// Reads one PMX 2.0/2.1 file front to back into gModel and reports it on the console.
#pragma once

// -1 cannot open; 2 not PMX (signature or global count); 0 header accepted (body errors are
// reported by their messages).
int readPmx(const char* path);
