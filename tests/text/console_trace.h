// Test helper: records what the code under test prints to the console while it is in scope,
// NUL bytes included, for byte-by-byte comparison with the expected trace.
#pragma once

#include <string>

#include "platform/console.h"

class ConsoleTrace {
public:
    ConsoleTrace() : capture_{buffer_, sizeof buffer_, 0} { consoleSetCapture(&capture_); }
    ~ConsoleTrace() { consoleSetCapture(nullptr); }
    ConsoleTrace(const ConsoleTrace&) = delete;
    ConsoleTrace& operator=(const ConsoleTrace&) = delete;

    std::string text() const { return std::string(buffer_, capture_.used); }

private:
    char buffer_[16384];
    ConsoleCapture capture_;
};
