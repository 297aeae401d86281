// --help and --version: the short usage and the program's name and version, answered before
// anything else is printed or read.
#pragma once

// When `firstArgument` is "--help" or "--version", or, `alone` on the command line, "-h", "-?" or
// "/?" (the habits of other tools), prints its answer and returns true.
bool answerHelpOrVersion(const char* firstArgument, bool alone);

// A first argument that looks like a long option ("--..."), and is none the program knows, is
// refused rather than read letter by letter as options: true after naming it on standard error
// with the hint below.
bool refuseUnknownLongOption(const char* firstArgument);

// The line on standard error that points to --help, after an option the program did not take.
void printHelpHint();
