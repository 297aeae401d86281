// Seed corpus for the fuzz targets: a few small PMX files from the test builder (both text
// encodings, wide indices, PMX 2.1 trailing data) and short texts and paths, written into
// <folder>/pmx, <folder>/text and <folder>/path.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/pmx_builder.h"

using namespace std::string_literals;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qv_fuzz_seeds <folder>\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    bool ok = true;
    // Seeds of one kind, named by their place in the list.
    const auto seed = [&](const char* kind, const std::vector<std::vector<std::uint8_t>>& seeds) {
        std::filesystem::create_directories(root / kind);
        for (std::size_t n = 0; n < seeds.size(); ++n) ok &= pmxtest::writeFile((root / kind / std::to_string(n)).string(), seeds[n]);
    };
    pmxtest::PmxRecipe wide = pmxtest::typicalModel(0);
    wide.vertexIndexSize = wide.boneIndexSize = 4;
    wide.textureIndexSize = wide.morphIndexSize = 2;
    wide.additionalUvCount = 1;
    wide.textures.push_back("sub\\\xE8\x82\x8C.png"); // a Japanese file name
    pmxtest::PmxRecipe extended = pmxtest::typicalModel(1);
    extended.version = 2.1f;
    extended.trailing = {1, 0, 0, 0, 0};
    seed("pmx", {pmxtest::buildPmx(pmxtest::typicalModel(0)), pmxtest::buildPmx(pmxtest::typicalModel(1)),
                 pmxtest::buildPmx(wide), pmxtest::buildPmx(extended)});

    const auto bytesOf = [](const std::vector<std::string>& texts) {
        std::vector<std::vector<std::uint8_t>> out;
        for (const std::string& text : texts) out.emplace_back(text.begin(), text.end());
        return out;
    };
    seed("text", bytesOf({"abc"s, "\xE8\x82\x8C\xE3\x81\x82"s, "\x82\xA0\x88\x9F\x5C"s, "\xF0\x9F\x98\x80x"s,
                          "a\0b\0\x42\x30\0\0"s,
                          // 〜 (U+301C), 한, a broken sequence, the yen sign; their escapes
                          "\xE3\x80\x9C\xED\x95\x9C\xC3\x41\xC2\xA5"s, "\xFD\xA3\xA0\xBC\xFF\xA3\xA3\xFE\xA4\xAF\xDF\xDF"s}));
    seed("path", bytesOf({"C:\\models\\tex\\a.png\0C:\\models\\"s, "\\\\server\\share\\x.bmp\0\\\\server\\other\\"s,
                          "\x95\x5C\\\x83\x5C.tga\0\x95\x5C\\"s, "folder\\"s}));
    return ok ? 0 : 1;
}
