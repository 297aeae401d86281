// Test helper of the end-to-end tests: the models the scenarios drop on the program, the
// placeholders of the hand-written transcripts, and the bytes a repaired copy must hold.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/pmx_builder.h"

namespace e2e {

// A transcript with its environment filled in: "{V}" becomes the host's version line and
// "{D}" the model folder in the program's inside form (backslashes, ending in one).
std::string fillTranscript(const std::string& transcript, const std::string& folderOutside);

// Ten arm and twist bones: arm -> elbow -> wrist along (0.6, -0.8, 0) on the left and
// (-0.6, -0.8, 0) on the right, every twist axis on its line, no textures.
pmxtest::PmxSpec straightArmsModel(std::uint8_t encoding);
// The same with the left arm twist's axis (0, 0, 1) and the right wrist twist's (0, 1, 0).
pmxtest::PmxSpec bentTwistsModel(std::uint8_t encoding);
// No bones; textures tex\a.png, ok.png, tex\b.png, one material on texture 0 and sphere 2.
pmxtest::PmxSpec brokenTexturesModel(std::uint8_t encoding);

// Indices of the bent twist bones in bentTwistsModel's bone list.
constexpr int kArmTwistLBone = 3;
constexpr int kWristTwistRBone = 9;

std::string toBytes(const std::vector<std::uint8_t>& bytes);
// Writes the built model to `outside` and returns its bytes and layout.
std::string writeModel(const std::string& outside, const pmxtest::PmxSpec& plan,
                       pmxtest::PmxLayout* layout);

// `source` with the 12 bytes at `offset` replaced by three little-endian floats.
std::string withAxis(std::string source, std::int32_t offset, float x, float y, float z);
// `source` with its texture block replaced: the count, then each path as a length and its
// bytes in `encoding` (UTF-8 given, as the builder encodes texts).
std::string withTextures(const std::string& source, const pmxtest::PmxLayout& layout,
                         const std::vector<std::string>& paths, std::uint8_t encoding);

} // namespace e2e
