// Shared set-up of the fuzz targets: the program's console silenced (libFuzzer reports on
// standard error) and a private temporary folder for targets that go through files.
#pragma once

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace qvfuzz {

inline void silenceConsole() {
    // The program prints through platform::consoleWrite to standard output only.
    if (std::freopen("/dev/null", "w", stdout) == nullptr) std::fputs("cannot silence stdout\n", stderr);
}

// A new folder below the system's temporary folder, kept short so the file paths inside stay
// far below the program's 259-byte limit. Left behind on exit (libFuzzer ends by exit()).
inline std::string makeTemporaryFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("qv-fuzz-" + std::to_string(random() % 1000000000u));
        std::error_code error;
        if (std::filesystem::create_directory(folder, error)) return folder.string();
    }
    std::fputs("cannot make a temporary folder\n", stderr);
    std::abort();
}

// The program's inside form of an outside path: slashes become backslashes.
inline std::string insidePath(std::string outside) {
    for (char& c : outside)
        if (c == '/') c = '\\';
    return outside;
}

} // namespace qvfuzz
