// Writes each Wine scenario's folder into <folder>/<case>/ and the state the run must leave it in
// into <folder>/expect/<case>/: the same files plus the copy the program must save, built from the
// repaired description. Built and run on the host by .ci/windows; file names are UTF-8.
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/pmx_builder.h"

using namespace pmxtest;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Arm bones on whole-number positions so that every direction is exact: left arm to elbow and
// elbow to wrist along +x; right arm to elbow along -x, elbow to wrist along -y. A twisted model
// has the left arm twist off and the right wrist twist reversed.
Bytes model(const std::string& name, const std::string& englishName,
            const std::vector<std::string>& textures, bool twisted) {
    const Vec3f off = {0, 1, 0};
    PmxRecipe s;
    s.encoding = 0; // UTF-16LE: the reader prints no conversion trace for it
    s.modelName = name;
    s.modelNameEnglish = englishName;
    s.vertexDeformTypes = {0};
    s.textures = textures;
    s.materials = {MaterialRecipe{}};
    s.materials[0].texture = 0;
    s.bones = {
        plainBone("左腕", "arm_L", {1, 10, 0}),
        twistBone("左腕捩", "arm twist_L", twisted ? off : Vec3f{1, 0, 0}, {2, 10, 0}),
        plainBone("左ひじ", "elbow_L", {3, 10, 0}),
        twistBone("左手捩", "wrist twist_L", {1, 0, 0}, {4, 10, 0}),
        plainBone("左手首", "wrist_L", {5, 10, 0}),
        plainBone("右腕", "arm_R", {-1, 10, 0}),
        twistBone("右腕捩", "arm twist_R", {-1, 0, 0}, {-2.5f, 10, 0}),
        plainBone("右ひじ", "elbow_R", {-4, 10, 0}),
        twistBone("右手捩", "wrist twist_R", twisted ? off : Vec3f{0, -1, 0}, {-4, 8, 0}),
        plainBone("右手首", "wrist_R", {-4, 6, 0}),
    };
    return buildPmx(s);
}

std::string root;
bool made = true;

// Writes root/<path>, making its folders first.
void put(const std::string& path, const Bytes& bytes) {
    const std::string full = root + "/" + path;
    for (size_t i = root.size() + 1; (i = full.find('/', i)) != std::string::npos; ++i)
        mkdir(full.substr(0, i).c_str(), 0755); // an existing folder is fine
    if (!writeFile(full, bytes)) {
        std::fprintf(stderr, "make_models: cannot write %s\n", full.c_str());
        made = false;
    }
}

// A file the case starts with (it must be left as it is), and one the program must save.
void before(const std::string& path, const Bytes& bytes) {
    put(path, bytes);
    put("expect/" + path, bytes);
}
void saved(const std::string& path, const Bytes& bytes) { put("expect/" + path, bytes); }

// A stand-in for an image: the program only tests that it opens.
const Bytes kImage = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2; // usage: make_models <folder>
    root = argv[1];
    mkdir(root.c_str(), 0755);
    before("clean/tex/a.png", kImage);
    before("clean/clean.pmx", model("クリーン", "clean model", {"tex\\a.png"}, false));
    for (const std::string dir : {"twist-no", "leftover"}) {
        before(dir + "/tex/a.png", kImage);
        before(dir + "/twist.pmx", model("ねじれ", "twisted", {"tex\\a.png"}, true));
        if (dir != "twist-no") saved(dir + "/twist-new.pmx", model("ねじれ", "twisted", {"tex\\a.png"}, false));
    }
    // A temporary file an interrupted run left behind: never written, the copy takes another.
    before("leftover/twist-new.pmx.tmp", {'o', 'l', 'd'});
    // Two links into tex\ whose files now stand in img\; the model is named by its full path,
    // then by relative ones.
    for (const std::string dir : {"links", "relative-own", "relative-parent", "relative-sibling"}) {
        before(dir + "/img/a.png", kImage);
        before(dir + "/img/b.png", kImage);
        before(dir + "/links.pmx", model("リンク", "links", {"tex\\a.png", "tex\\b.png"}, false));
        saved(dir + "/links-new.pmx", model("リンク", "links", {"img\\a.png", "img\\b.png"}, false));
    }
    // The same links, their files moved to textures\body\: the dialog offers the first there.
    before("moved/textures/body/a.png", kImage);
    before("moved/textures/body/b.png", kImage);
    before("moved/links.pmx", model("リンク", "links", {"tex\\a.png", "tex\\b.png"}, false));
    saved("moved/links-new.pmx", model("リンク", "links", {"textures\\body\\a.png", "textures\\body\\b.png"}, false));
    before("cancel/cancel.pmx", model("取消", "cancel", {"tex\\gone.png"}, false));
    // Japanese names for the model, its texture and both folders; the new folder's name has the
    // trail byte 0x5C in Shift-JIS.
    before("ja/表/髪.png", kImage);
    before("ja/モデル.pmx", model("テストモデル", "test model", {"テクスチャ\\髪.png"}, false));
    saved("ja/モデル-new.pmx", model("テストモデル", "test model", {"表\\髪.png"}, false));
    // On a Western system: a model named in Japanese in a folder named so, linking files named
    // in Japanese and Chinese.
    for (const std::string image : {"モデル/テクスチャ/髪.png", "モデル/瞳.png", "モデル/贴图/脸.png"}) before(image, kImage);
    const std::vector<std::string> scripts = {"テクスチャ\\髪.png", "瞳.png", "贴图\\脸.png"};
    before("モデル/モデル.pmx", model("テストモデル", "test model", scripts, true));
    saved("モデル/モデル-new.pmx", model("テストモデル", "test model", scripts, false));
    // The same model in English mode, whose run ends at the continue prompt.
    before("ja-en/モデル.pmx", model("テストモデル", "test model", {"テクスチャ\\髪.png"}, false));
    return made ? 0 : 1;
}
