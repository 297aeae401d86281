// Writes the folder-listing benchmark's folder: <folder>/links.pmx, a model whose 1,024 texture
// links F00000.PNG ... F01023.PNG name, in another case, files beside it among 30,000 such files
// f00000.png ... f29999.png (all links present: the run checks them and asks nothing). Every link
// makes the lookup without case search the folder. Uses the tests' PMX builder.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/pmx_builder.h"

namespace {

constexpr int kLinks = 1024;
constexpr int kFiles = 30000;

std::string numbered(const char* prefix, int number, const char* extension) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%05d%s", prefix, number, extension);
    return name;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_link_folder <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    pmxtest::PmxRecipe recipe;
    for (int i = 0; i < kLinks; ++i) recipe.textures.push_back(numbered("F", i, ".PNG"));
    recipe.textureIndexSize = 2;
    bool ok = pmxtest::writeFile(folder + "/links.pmx", pmxtest::buildPmx(recipe));
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (int i = 0; i < kFiles && ok; ++i)
        ok = pmxtest::writeFile(folder + "/" + numbered("f", i, ".png"), png);
    if (!ok) std::fprintf(stderr, "make_link_folder: cannot write in %s\n", folder.c_str());
    return ok ? 0 : 1;
}
