// A check of collections (quorvane --check): every model named, or found in a folder named, is
// read and checked as the interactive run would, and reported instead of repaired. Nothing is
// asked, no dialog or box is shown, and no file is written.
#pragma once

// Runs the check the command line asks for; returns the exit status: 0 every model clean, 1
// something found, 2 a model not opened or not read whole, or a path that named no model.
int runCheck();
