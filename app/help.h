// --help and --version: the short usage and the program's name and version, answered before
// anything else is printed or read.
#pragma once

// When `firstArgument` is "--help" or "--version", prints its answer and returns true.
bool answerHelpOrVersion(const char* firstArgument);
