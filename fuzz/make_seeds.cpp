// Seed corpus for the fuzz targets: a few small PMX files from the test builder (both text
// encodings, wide indices, PMX 2.1 trailing data) and short texts and paths, written into
// <folder>/pmx, <folder>/text and <folder>/path.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/pmx_builder.h"

using namespace std::string_literals;

namespace {

bool writeSeed(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
    return pmxtest::writeFile(file.string(), bytes);
}

std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qv_fuzz_seeds <folder>\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    for (const char* kind : {"pmx", "text", "path"}) std::filesystem::create_directories(root / kind);

    bool ok = true;
    pmxtest::PmxRecipe utf16 = pmxtest::typicalModel(0);
    ok &= writeSeed(root / "pmx" / "utf16.pmx", pmxtest::buildPmx(utf16));
    pmxtest::PmxRecipe utf8 = pmxtest::typicalModel(1);
    ok &= writeSeed(root / "pmx" / "utf8.pmx", pmxtest::buildPmx(utf8));

    pmxtest::PmxRecipe wide = pmxtest::typicalModel(0);
    wide.vertexIndexSize = 4;
    wide.textureIndexSize = 2;
    wide.boneIndexSize = 4;
    wide.morphIndexSize = 2;
    wide.additionalUvCount = 1;
    wide.textures.push_back("sub\\\xE8\x82\x8C.png"); // a Japanese file name
    ok &= writeSeed(root / "pmx" / "wide.pmx", pmxtest::buildPmx(wide));

    pmxtest::PmxRecipe extended = pmxtest::typicalModel(1);
    extended.version = 2.1f;
    extended.trailing = {1, 0, 0, 0, 0};
    ok &= writeSeed(root / "pmx" / "v21.pmx", pmxtest::buildPmx(extended));

    const std::string texts[] = {"abc"s, "\xE8\x82\x8C\xE3\x81\x82"s, "\x82\xA0\x88\x9F\x5C"s,
                                 "\xF0\x9F\x98\x80x"s, "a\0b\0\x42\x30\0\0"s,
                                 // 〜 (U+301C), 한, a broken sequence, the yen sign; their escapes
                                 "\xE3\x80\x9C\xED\x95\x9C\xC3\x41\xC2\xA5"s, "\xFD\xA3\xA0\xBC\xFF\xA3\xA3\xFE\xA4\xAF\xDF\xDF"s};
    int n = 0;
    for (const std::string& text : texts) ok &= writeSeed(root / "text" / std::to_string(n++), bytesOf(text));
    const std::string paths[] = {
        "C:\\models\\tex\\a.png\0C:\\models\\"s,
        "\\\\server\\share\\x.bmp\0\\\\server\\other\\"s,
        "\x95\x5C\\\x83\x5C.tga\0\x95\x5C\\"s,
        "folder\\"s,
    };
    n = 0;
    for (const std::string& path : paths) ok &= writeSeed(root / "path" / std::to_string(n++), bytesOf(path));
    return ok ? 0 : 1;
}
