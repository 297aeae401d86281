// Fuzz target: the path helpers on arbitrary Shift-JIS bytes. The input is split at its first
// zero byte into a path and a second path (relativePath's base folder); every output buffer
// is exactly as large as the header allows, so an overrun is a sanitizer report.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "io/path.h"

namespace {

std::vector<char> copyOf(const char* text) { return std::vector<char>(text, text + std::strlen(text) + 1); }

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qvfuzz::silenceConsole();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<char> input(data, data + size);
    input.push_back('\0');
    input.push_back('\0');
    const char* path = input.data();
    const std::size_t length = std::strlen(path);
    const char* second = path + length + 1;

    std::vector<char> out(length + 1);
    folderOf(out.data(), path);
    fileNameOf(out.data(), path);
    stripExtension(out.data(), path);
    extensionOf(out.data(), path);

    // Each backslash of the base folder is at most one level for relativePath to climb.
    std::vector<char> relative(length + 1 + 3 * static_cast<std::size_t>(std::count(second, second + std::strlen(second), '\\')));
    relativePath(relative.data(), path, second);

    std::vector<char> trimmed = copyOf(path);
    trimTrailingSeparator(trimmed.data());
    std::vector<char> trimmedSecond = copyOf(second);
    trimTrailingSeparator(trimmedSecond.data());
    return 0;
}
