// Test helpers of the io tests: temporary folders and whole-file reads and writes through the
// standard library, and the scoped console capture.
#include "tests/support/io_test_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace iotest {

TempFolder::TempFolder() {
    std::random_device random;
    std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::ostringstream name;
        name << "qv-io-" << std::hex << random() << random();
        std::filesystem::path candidate = base / name.str();
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate.string();
            return;
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::file(const std::string& name) const { return path_ + "/" + name; }

std::string insidePath(const std::string& outside) {
    std::string inside = outside;
    for (char& c : inside) {
        if (c == '/') c = '\\';
    }
    return inside;
}

void writeFile(const std::string& outside, const std::string& bytes) {
    std::ofstream file(outside, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::string& outside) {
    std::ifstream file(outside, std::ios::binary);
    if (!file) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

Capture::Capture() : buffer_{}, capture_{buffer_, kBytes, 0} { consoleSetCapture(&capture_); }

Capture::~Capture() { consoleSetCapture(nullptr); }

} // namespace iotest
