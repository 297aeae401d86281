// The command line of a check: "--check" first, then the options (long ones, before the paths;
// "--" ends them), then the paths of models and folders.
#pragma once

constexpr char kCheckWord[] = "--check";

struct CheckCommand {
    bool json;     // --json: JSON Lines instead of the report for people
    int firstPath; // the argument index of the first path
};

// Reads the options after "--check". 0; -1 after an unknown option, or when no path follows
// (the error and a hint to --help are printed on standard error).
int parseCheckCommand(CheckCommand* command);
