// Writes the whole-process benchmark's model folder: <folder>/model.pmx, about 75 MB of SDEF and
// BDEF vertices and faces with the tests' typical bones (four twist axes off), three texture
// links that name tex\ while the files sit in img/, and <folder>/answers.txt, the answers that
// repair the axes and the links. Uses the tests' PMX builder.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/pmx_builder.h"

namespace {

// Four SDEF vertices to one BDEF4: 909,090 vertices and 303,030 faces of 4-byte indices make
// a file of 73.6 MB.
constexpr std::int32_t kVertices = 909090;
constexpr std::int32_t kFaces = 303030;
const std::uint8_t kDeformCycle[] = {3, 3, 2, 3, 3};

bool put(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (pmxtest::writeFile(path, bytes)) return true;
    std::fprintf(stderr, "make_large_model: cannot write %s\n", path.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_large_model <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder + "/img", error);

    pmxtest::PmxRecipe recipe = pmxtest::typicalModel(0);
    recipe.vertexIndexSize = 4;
    recipe.boneIndexSize = 2;
    recipe.vertexDeformTypes.resize(kVertices);
    for (std::int32_t i = 0; i < kVertices; ++i)
        recipe.vertexDeformTypes[static_cast<std::size_t>(i)] = kDeformCycle[i % 5];
    recipe.faceIndexCount = 3 * kFaces;
    recipe.textures = {"tex\\a.png", "tex\\b.png", "tex\\c.png"};
    recipe.materials[0].faceVertexCount = 3 * kFaces;

    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    bool ok = put(folder + "/model.pmx", pmxtest::buildPmx(recipe));
    for (const char* name : {"a", "b", "c"}) ok &= put(folder + "/img/" + name + ".png", png);
    // Twist question: yes; texture question: yes; the first link's notice: OK, then its file;
    // the other two follow the learned tex\ -> img\ substitution.
    const std::string answers = "y\ny\n\nimg/a.png\n";
    ok &= put(folder + "/answers.txt", std::vector<std::uint8_t>(answers.begin(), answers.end()));
    return ok ? 0 : 1;
}
