// Helpers of the PMX tests: a scratch folder per test, a console capture large enough for a
// whole model's transcript, and readPmx/writePatchedPmx runs that return what they printed.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/console.h"
#include "pmx/display_level.h"
#include "pmx/model.h"
#include "pmx/reader.h"
#include "pmx/writer.h"
#include "tests/support/pmx_builder.h"
#include "text/language.h"

namespace pmxtest {

// A fresh folder below /tmp, removed with its files afterwards (flat: tests make no subfolders).
class ScratchFolder {
public:
    ScratchFolder()
    {
        char pattern[] = "/tmp/qv-pmx-XXXXXX";
        const char* made = mkdtemp(pattern);
        path_ = made ? made : "/tmp";
    }
    ~ScratchFolder()
    {
        std::string command = "rm -rf '" + path_ + "'";
        if (path_ != "/tmp") (void)std::system(command.c_str());
    }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Everything printed through the console front while the object lives.
class BigCapture {
public:
    explicit BigCapture(std::size_t bytes = 8u << 20) : buffer_(bytes)
    {
        capture_.buffer = buffer_.data();
        capture_.capacity = buffer_.size();
        capture_.used = 0;
        consoleSetCapture(&capture_);
    }
    ~BigCapture() { consoleSetCapture(nullptr); }
    std::string text() const { return std::string(buffer_.data(), capture_.used); }

private:
    std::vector<char> buffer_;
    ConsoleCapture capture_;
};

// The console settings every test starts from.
struct ConsoleDefaults {
    ConsoleDefaults()
    {
        setDisplayLevel(0);
        setJapaneseMode(false);
    }
    ~ConsoleDefaults()
    {
        setDisplayLevel(0);
        setJapaneseMode(false);
    }
};

struct ReadRun {
    int result;
    std::string transcript;
};

inline ReadRun runReader(const std::string& path, std::size_t captureBytes = 8u << 20)
{
    clearModelMarks();
    BigCapture capture(captureBytes);
    int result = readPmx(path.c_str());
    return ReadRun{result, capture.text()};
}

inline ReadRun runWriter(const std::string& destination, const std::string& source)
{
    BigCapture capture;
    int result = writePatchedPmx(destination.c_str(), source.c_str());
    return ReadRun{result, capture.text()};
}

inline std::vector<std::uint8_t> le32(std::uint32_t v)
{
    return {static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
            static_cast<std::uint8_t>((v >> 16) & 0xFF), static_cast<std::uint8_t>(v >> 24)};
}

inline void append(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& more)
{
    out.insert(out.end(), more.begin(), more.end());
}

inline std::vector<std::uint8_t> slice(const std::vector<std::uint8_t>& v, std::int32_t from,
                                       std::int32_t to)
{
    return std::vector<std::uint8_t>(v.begin() + from, v.begin() + to);
}

} // namespace pmxtest
