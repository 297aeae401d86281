// Test helpers of the file tests: a fresh temporary folder per test, files written and read
// whole, the program's inside form of a path, and a console capture that follows a scope.
#pragma once

#include <string>

#include "platform/console.h"
#include "text/text_trace.h"

namespace iotest {

// A new empty folder below the system's temporary folder, removed with its contents when the
// object goes. Paths are outside form (what the file system takes).
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The program's inside form of an outside path: slashes become backslashes (ASCII names).
std::string insidePath(std::string outside);

void writeFile(const std::string& outside, const std::string& bytes);
// The whole file, or "<missing>" when it cannot be opened.
std::string readFile(const std::string& outside);

// Everything printed through the console front while the object lives, NUL bytes included.
class Capture {
public:
    // The converters' trace reaches the console, as the program wires it at start.
    Capture() {
        setTextTracePrinter(consolePrintBytes);
        consoleSetCapture(&capture_);
    }
    ~Capture() { consoleSetCapture(nullptr); }
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

    std::string text() const { return std::string(buffer_, capture_.used); }

private:
    char buffer_[65536] = {};
    ConsoleCapture capture_{buffer_, sizeof buffer_, 0};
};

} // namespace iotest
