// Fuzz target: the text converters on arbitrary bytes, each output in a heap buffer of
// exactly the worst case its header documents, so one byte too many is a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "text/composition.h"
#include "text/convert.h"
#include "text/language.h"

namespace {

constexpr std::size_t kMessageCapacity = 520;

// The input as a C string: cut at its first zero byte.
std::vector<char> asText(const std::uint8_t* data, std::size_t size) {
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    return text;
}

// The input as UTF-16LE ended by a zero unit (an odd last byte padded), and the byte length
// before that unit.
std::vector<unsigned char> asUtf16(const std::uint8_t* data, std::size_t size, std::size_t* length) {
    std::vector<unsigned char> units(data, data + size);
    if (units.size() % 2 != 0) units.push_back(0);
    units.push_back(0);
    units.push_back(0);
    std::size_t n = 0;
    while (units[n] != 0 || units[n + 1] != 0) n += 2;
    *length = n;
    return units;
}

void convertAll(const std::uint8_t* data, std::size_t size) {
    std::vector<char> text = asText(data, size);
    const std::size_t length = std::strlen(text.data());
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text.data());

    std::vector<char> sjis(2 * length + 1);
    utf8ToSjis(sjis.data(), bytes);

    std::size_t utf16Length = 0;
    std::vector<unsigned char> utf16 = asUtf16(data, size, &utf16Length);
    std::vector<char> fromUtf16(utf16Length + 1);
    utf16ToSjis(fromUtf16.data(), utf16.data());

    std::vector<unsigned char> toUtf16(2 * length + 2);
    sjisToUtf16(toUtf16.data(), text.data());

    std::vector<char> toUtf8(3 * length + 1);
    sjisToUtf8(toUtf8.data(), text.data());

    // The boundary's conversion, which composes first, and the composition in place.
    std::vector<char> quiet(2 * length + 1);
    utf8ToSjisQuiet(quiet.data(), quiet.size(), text.data());
    composeUtf8(text.data());
}

// First byte: bit 0 the language mode, the rest how much of the 520 bytes is already used
// (0..519, so the text always has its terminator); the remaining bytes are the piece.
void appendPieceTo(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return;
    setJapaneseMode((data[0] & 1) != 0);
    const std::size_t used = (data[0] >> 1) * (kMessageCapacity - 1) / 127;
    std::vector<char> message(kMessageCapacity);
    std::memset(message.data(), 'm', used);
    message[used] = '\0';
    std::vector<char> piece = asText(data + 1, size - 1);
    appendMessageText(message.data(), message.size(), piece.data());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qvfuzz::silenceConsole();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    convertAll(data, size);
    appendPieceTo(data, size);
    return 0;
}
