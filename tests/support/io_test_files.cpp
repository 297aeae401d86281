// Test helpers of the file tests: temporary folders and whole-file reads and writes through
// the standard library.
#include "tests/support/io_test_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace iotest {

TempFolder::TempFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        std::string name = "qv-io-" + std::to_string(random()) + "-" + std::to_string(random());
        std::filesystem::path candidate = std::filesystem::temp_directory_path() / name;
        if (std::filesystem::create_directory(candidate)) path_ = candidate.string();
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string insidePath(std::string outside) {
    std::replace(outside.begin(), outside.end(), '/', '\\');
    return outside;
}

void writeFile(const std::string& outside, const std::string& bytes) {
    std::ofstream(outside, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::string& outside) {
    std::ifstream file(outside, std::ios::binary);
    if (!file) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace iotest
