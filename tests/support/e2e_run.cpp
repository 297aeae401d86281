// Running the built program for the end-to-end tests, and their models (see e2e_run.h).
#include "tests/support/e2e_run.h"

#include <iconv.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "tests/support/io_test_files.h"

namespace e2e {
namespace {

// One shell word holding `text` whatever its bytes.
std::string quoted(const std::string& text) {
    std::string word = "'";
    for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

void replaceAll(std::string* text, const std::string& from, const std::string& to) {
    for (std::size_t at = text->find(from); at != std::string::npos;
         at = text->find(from, at + to.size()))
        text->replace(at, from.size(), to);
}

void appendInt32(std::string* out, std::uint32_t bits) {
    for (int i = 0; i < 4; ++i) out->push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

} // namespace

ProgramRun runProgram(const std::vector<std::string>& args, const std::string& locale,
                      const std::string& input) {
    iotest::TempFolder io;
    iotest::writeFile(io.file("in"), input);
    std::string command = "env -i " + quoted("LC_ALL=" + locale);
    for (const char* name : {"PATH", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
        if (const char* value = std::getenv(name))
            command += " " + quoted(std::string(name) + "=" + value);
    const char* binary = std::getenv("QV_BINARY");
    command += " " + quoted(binary == nullptr ? "QV_BINARY-is-not-set" : binary);
    for (const std::string& arg : args) command += " " + quoted(arg);
    command += " <" + io.file("in") + " >" + io.file("out") + " 2>/dev/null";
    const int status = std::system(command.c_str());
    ProgramRun run;
    if (status != -1 && WIFEXITED(status)) run.status = WEXITSTATUS(status);
    run.out = iotest::readFile(io.file("out"));
    return run;
}

std::string fillTranscript(const std::string& text, const std::string& folder) {
    struct utsname names;
    std::string version = "<no uname>", inside = iotest::insidePath(folder);
    if (uname(&names) == 0) version = std::string(" on ") + names.sysname + " " + names.release + " ";
    if (inside.empty() || inside.back() != '\\') inside += '\\';
    std::string filled = text;
    replaceAll(&filled, "{V}", version);
    replaceAll(&filled, "{D}", inside);
    return filled;
}

std::string shiftJis(const std::string& utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return "<no iconv>";
    std::string in = utf8, out(in.size() * 2 + 4, '\0');
    char *inPtr = &in[0], *outPtr = &out[0];
    std::size_t inLeft = in.size(), outLeft = out.size();
    const std::size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<std::size_t>(-1)) return "<iconv failed>";
    out.resize(out.size() - outLeft);
    return out;
}

pmxtest::PmxRecipe armsModel(std::uint8_t encoding, bool bent) {
    using pmxtest::plainBone;
    using pmxtest::twistBone;
    pmxtest::PmxRecipe r;
    r.encoding = encoding;
    r.modelName = "テスト";
    r.modelNameEnglish = "test";
    r.bones = {
        plainBone("左腕", "arm_L", {0.0f, 10.0f, 0.0f}),
        plainBone("左ひじ", "elbow_L", {3.0f, 6.0f, 0.0f}),
        plainBone("左手首", "wrist_L", {6.0f, 2.0f, 0.0f}),
        twistBone("左腕捩", "arm twist_L", {0.6f, -0.8f, 0.0f}),
        twistBone("左手捩", "wrist twist_L", {0.6f, -0.8f, 0.0f}),
        plainBone("右腕", "arm_R", {0.0f, 10.0f, 0.0f}),
        plainBone("右ひじ", "elbow_R", {-3.0f, 6.0f, 0.0f}),
        plainBone("右手首", "wrist_R", {-6.0f, 2.0f, 0.0f}),
        twistBone("右腕捩", "arm twist_R", {-0.6f, -0.8f, 0.0f}),
        twistBone("右手捩", "wrist twist_R", {-0.6f, -0.8f, 0.0f}),
    };
    if (bent) {
        r.bones[kArmTwistLBone].fixedAxis = {0.0f, 0.0f, 1.0f};
        r.bones[kWristTwistRBone].fixedAxis = {0.0f, 1.0f, 0.0f};
    }
    return r;
}

pmxtest::PmxRecipe texturesModel(std::uint8_t encoding) {
    pmxtest::PmxRecipe r = armsModel(encoding, false);
    r.bones.clear();
    r.textures = {"tex\\a.png", "ok.png", "tex\\b.png"};
    r.materials.resize(1);
    r.materials[0].texture = 0;
    r.materials[0].sphereTexture = 2;
    r.materials[0].sphereMode = 1;
    return r;
}

std::string withAxis(std::string source, std::int32_t offset, float x, float y, float z) {
    std::string axis;
    for (float f : {x, y, z}) {
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        appendInt32(&axis, bits);
    }
    return source.replace(static_cast<std::size_t>(offset), axis.size(), axis);
}

std::string withTextures(const std::string& source, const pmxtest::PmxLayout& layout,
                         const std::vector<std::string>& paths, std::uint8_t encoding) {
    std::string block;
    appendInt32(&block, static_cast<std::uint32_t>(paths.size()));
    for (const std::string& path : paths) {
        const std::vector<std::uint8_t> text = pmxtest::encodePmxText(path, encoding);
        appendInt32(&block, static_cast<std::uint32_t>(text.size()));
        block.append(text.begin(), text.end());
    }
    const std::size_t start = static_cast<std::size_t>(layout.textureBlockStart);
    return source.substr(0, start) + block +
           source.substr(static_cast<std::size_t>(layout.textureBlockEnd));
}

} // namespace e2e
