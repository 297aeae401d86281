// Writes the collection benchmark's tree (bench/check_tree.py): <folder>/pack<P>/set<S>/m<M>/
// model.pmx, 10 packs of 10 sets of 10 models by default, each model about 1 MB (vertices of
// every deform type, faces of 2-byte indices) with the tests' typical bones (twist axes off) and
// 30 texture links to its tex/ folder: every third model spells three of them in another case
// than the files, every fourth names two files that are not there; with "moved", the files of the
// first three links of every model (10%) lie in parts/tex/ instead. Uses the tests' PMX builder.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/pmx_builder.h"

namespace {

constexpr int kLinks = 30;
// 16,000 vertices and 40,000 faces of 2-byte indices: about 1 MB.
constexpr std::int32_t kVertices = 16000;
constexpr std::int32_t kFaces = 40000;
const std::uint8_t kDeformCycle[] = {0, 1, 2, 3, 1, 1, 0, 2};

bool put(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (pmxtest::writeFile(path, bytes)) return true;
    std::fprintf(stderr, "make_model_tree: cannot write %s\n", path.c_str());
    return false;
}

std::string numbered(const char* format, int n) {
    char text[64];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4 || (argc == 4 && std::string(argv[3]) != "moved")) {
        std::fprintf(stderr, "usage: make_model_tree <folder> [models, a multiple of 100] [moved]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int models = argc >= 3 ? std::atoi(argv[2]) : 1000;
    constexpr int kMovedLinks = 3; // of kLinks
    const bool moved = argc == 4;
    if (models < 100 || models % 100 != 0) {
        std::fprintf(stderr, "make_model_tree: models must be a multiple of 100\n");
        return 2;
    }
    pmxtest::PmxRecipe recipe = pmxtest::typicalModel(0);
    recipe.vertexIndexSize = 2;
    recipe.boneIndexSize = 2;
    recipe.vertexDeformTypes.resize(kVertices);
    for (std::int32_t i = 0; i < kVertices; ++i)
        recipe.vertexDeformTypes[static_cast<std::size_t>(i)] = kDeformCycle[i % 8];
    recipe.faceIndexCount = 3 * kFaces;
    recipe.materials[0].faceVertexCount = 3 * kFaces;

    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    bool ok = true;
    for (int m = 0; m < models && ok; ++m) {
        const std::string model = folder + numbered("/pack%02d", m / 100) + numbered("/set%d", m / 10 % 10) +
                                  numbered("/m%d", m % 10);
        std::error_code error;
        std::filesystem::create_directories(model + "/tex", error);
        if (moved) std::filesystem::create_directories(model + "/parts/tex", error);
        recipe.textures.clear();
        for (int k = 0; k < kLinks; ++k) {
            const bool otherCase = m % 3 == 0 && k >= kLinks - 3;
            const bool missing = m % 4 == 0 && k >= kLinks - 2;
            recipe.textures.push_back(missing ? numbered("tex\\gone%02d.png", k)
                                              : numbered(otherCase ? "TEX\\T%02d.PNG" : "tex\\t%02d.png", k));
            ok &= put(model + numbered(moved && k < kMovedLinks ? "/parts/tex/t%02d.png" : "/tex/t%02d.png", k), png);
        }
        ok &= put(model + "/model.pmx", pmxtest::buildPmx(recipe));
    }
    return ok ? 0 : 1;
}
