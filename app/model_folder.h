// The folder of a model path: everything before its file name, so a name that follows a slash
// keeps the folder it is in (for a path of backslashes this is the part through the last one).
#pragma once

// `path` is shorter than kPathBytes; `out` holds kPathBytes.
void modelFolderOf(char* out, const char* path);
