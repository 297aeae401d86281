// The files the broken links of a model meant: for each broken link of gLinkResults, the file its
// path names through names garbled by an unpacking with the wrong code page, else a file of its
// name found elsewhere below the model's folder (one search of the folder for all of them).
#pragma once

// Fills `found` and `candidate` (and, for a garbled name, `repair`) of the broken links of
// gLinkResults, for the model read last in gSettings.modelFolder.
void findLinkCandidates();

// The trailing folder names the folder parts of the paths `a` and `b` (inside form, backslashes)
// share, compared without ASCII case: "tex\body\a.png" and "textures\body\a.png" share one.
int sharedTrailingFolders(const char* a, const char* b);
