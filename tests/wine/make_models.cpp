// Writes the models and image files of the Wine scenarios, and the repaired copies that the
// program must write for them, built from the repaired description of each model. Built and
// run on the host by .ci/windows; file names are UTF-8, as the Linux side of Wine sees them.
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/pmx_builder.h"

using namespace pmxtest;

namespace {

struct Arms {
    Vec3f armTwistL, wristTwistL, armTwistR, wristTwistR;
};

// Arm bones on whole-number positions so that every direction is exact: left arm to elbow
// and elbow to wrist along +x; right arm to elbow along -x, elbow to wrist along -y.
const Arms kTrueAxes = {{1, 0, 0}, {1, 0, 0}, {-1, 0, 0}, {0, -1, 0}};

PmxRecipe model(const std::string& name, const std::string& englishName,
                const std::vector<std::string>& textures, const Arms& axes) {
    PmxRecipe s;
    s.encoding = 0; // UTF-16LE: the reader prints no conversion trace for it
    s.modelName = name;
    s.modelNameEnglish = englishName;
    s.vertexDeformTypes = {0};
    s.textures = textures;
    MaterialRecipe material;
    material.texture = textures.empty() ? -1 : 0;
    s.materials = {material};
    s.bones = {
        plainBone("左腕", "arm_L", {1, 10, 0}),
        twistBone("左腕捩", "arm twist_L", axes.armTwistL),
        plainBone("左ひじ", "elbow_L", {3, 10, 0}),
        twistBone("左手捩", "wrist twist_L", axes.wristTwistL),
        plainBone("左手首", "wrist_L", {5, 10, 0}),
        plainBone("右腕", "arm_R", {-1, 10, 0}),
        twistBone("右腕捩", "arm twist_R", axes.armTwistR),
        plainBone("右ひじ", "elbow_R", {-4, 10, 0}),
        twistBone("右手捩", "wrist twist_R", axes.wristTwistR),
        plainBone("右手首", "wrist_R", {-4, 6, 0}),
    };
    return s;
}

bool made = true;

void folder(const std::string& path) {
    if (mkdir(path.c_str(), 0755) != 0) {
        struct stat st;
        if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) made = false;
    }
}

void file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (!writeFile(path, bytes)) {
        std::fprintf(stderr, "make_models: cannot write %s\n", path.c_str());
        made = false;
    }
}

// Stand-ins for images: the program only tests that they open.
void image(const std::string& path) { file(path, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}); }

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_models <folder>\n");
        return 2;
    }
    const std::string root = argv[1];
    const std::string expect = root + "/expect";
    folder(root);
    folder(expect);

    // Nothing to repair: true axes, the one texture present.
    folder(root + "/clean");
    folder(root + "/clean/tex");
    image(root + "/clean/tex/a.png");
    file(root + "/clean/clean.pmx", buildPmx(model("クリーン", "clean model", {"tex\\a.png"}, kTrueAxes)));

    // Left arm twist and right wrist twist off (the latter reversed); textures present.
    Arms off = kTrueAxes;
    off.armTwistL = {0, 1, 0};
    off.wristTwistR = {0, 1, 0};
    folder(root + "/twist");
    folder(root + "/twist/tex");
    image(root + "/twist/tex/a.png");
    file(root + "/twist/twist.pmx", buildPmx(model("ねじれ", "twisted", {"tex\\a.png"}, off)));
    file(expect + "/twist-new.pmx", buildPmx(model("ねじれ", "twisted", {"tex\\a.png"}, kTrueAxes)));

    // Two links into tex\ whose files now stand in img\.
    folder(root + "/links");
    folder(root + "/links/img");
    image(root + "/links/img/a.png");
    image(root + "/links/img/b.png");
    file(root + "/links/links.pmx",
         buildPmx(model("リンク", "links", {"tex\\a.png", "tex\\b.png"}, kTrueAxes)));
    file(expect + "/links-new.pmx",
         buildPmx(model("リンク", "links", {"img\\a.png", "img\\b.png"}, kTrueAxes)));

    // A broken link whose question is cancelled.
    folder(root + "/cancel");
    file(root + "/cancel/cancel.pmx",
         buildPmx(model("取消", "cancel", {"tex\\gone.png"}, kTrueAxes)));

    // Japanese names: the model, the texture and both folders; the new folder's name ends in
    // a character whose trail byte is 0x5C in Shift-JIS.
    folder(root + "/ja");
    folder(root + "/ja/表");
    image(root + "/ja/表/髪.png");
    file(root + "/ja/モデル.pmx",
         buildPmx(model("テストモデル", "test model", {"テクスチャ\\髪.png"}, kTrueAxes)));
    file(expect + "/モデル-new.pmx",
         buildPmx(model("テストモデル", "test model", {"表\\髪.png"}, kTrueAxes)));

    return made ? 0 : 1;
}
