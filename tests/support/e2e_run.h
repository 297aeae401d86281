// Test helper of the end-to-end tests: runs the built program as a user's shell would (arguments,
// a locale, answers on standard input), the models the scenarios drop on it, and the bytes a
// repaired copy must hold.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/pmx_builder.h"

namespace e2e {

struct ProgramRun {
    int status = -1; // the exit status; -1 when it did not exit (a signal)
    std::string out; // standard output, byte for byte
};

// Runs QV_BINARY with `args`, only LC_ALL = `locale` of the locale variables, and `input` on
// standard input.
ProgramRun runProgram(const std::vector<std::string>& args, const std::string& locale,
                      const std::string& input);

// `text` with "{V}" replaced by " on <sysname> <release> " (the version line on POSIX) and "{D}"
// by `folder` in the program's inside form (backslashes, ending in one).
std::string fillTranscript(const std::string& text, const std::string& folder);
// `utf8` in code page 932, converted by the C library's iconv (not by the program).
std::string shiftJis(const std::string& utf8);

// Ten arm and twist bones, arm -> elbow -> wrist along (+-0.6, -0.8, 0), every twist axis on its
// line (`bent`: the left arm twist's axis (0, 0, 1), the right wrist twist's (0, 1, 0)).
pmxtest::PmxRecipe armsModel(std::uint8_t encoding, bool bent);
constexpr int kArmTwistLBone = 3, kWristTwistRBone = 9;
// No bones; textures tex\a.png, ok.png, tex\b.png, one material on texture 0 and sphere 2.
pmxtest::PmxRecipe texturesModel(std::uint8_t encoding);

// `source` with the 12 bytes at `offset` replaced by three little-endian floats.
std::string withAxis(std::string source, std::int32_t offset, float x, float y, float z);
// `source` with its texture block replaced by `paths` (UTF-8, written in `encoding`).
std::string withTextures(const std::string& source, const pmxtest::PmxLayout& layout,
                         const std::vector<std::string>& paths, std::uint8_t encoding);

} // namespace e2e
