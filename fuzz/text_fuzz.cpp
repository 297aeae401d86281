// Fuzz target: the text converters on arbitrary bytes, each output in a heap buffer of
// exactly the worst case its header documents, so one byte too many is a sanitizer report; and
// the inside form's promise, checked on every input: a text comes back from it as it went in
// (any UTF-8 or UTF-16 text through the model's converters, any name through the boundary's).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
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
    units.resize(size + size % 2 + 2, 0);
    std::size_t n = 0;
    while (units[n] != 0 || units[n + 1] != 0) n += 2;
    *length = n;
    return units;
}

void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

// A model's text takes the yen sign as its separator, as Japanese Windows does with 0x5C: the one
// character that comes back as another. `unit`: 1 for UTF-8 bytes, 2 for UTF-16LE units.
std::string yenAsBackslash(std::string text, std::size_t unit) {
    const std::string yen = unit == 1 ? "\xC2\xA5" : std::string("\xA5\0", 2);
    for (std::size_t i = 0; i + yen.size() <= text.size(); i += unit)
        if (text.compare(i, yen.size(), yen) == 0) text.replace(i, yen.size(), unit == 1 ? "\\" : std::string("\\\0", 2));
    return text;
}

void convertAll(const std::uint8_t* data, std::size_t size) {
    std::vector<char> text = asText(data, size);
    const std::size_t length = std::strlen(text.data());
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text.data());

    // Valid UTF-8 comes back; the inside form escapes a byte (marker 0xFF) only where it is not.
    std::vector<char> sjis(3 * length + 1);
    utf8ToSjis(sjis.data(), bytes);
    std::vector<char> back8(3 * std::strlen(sjis.data()) + 1);
    sjisToUtf8(back8.data(), sjis.data());
    if (std::strchr(sjis.data(), '\xFF') == nullptr)
        require(back8.data() == yenAsBackslash(text.data(), 1), "UTF-8 -> inside -> UTF-8");

    // Any units at all, surrogates alone or in pairs included, come back.
    std::size_t utf16Length = 0;
    std::vector<unsigned char> utf16 = asUtf16(data, size, &utf16Length);
    std::vector<char> fromUtf16(2 * utf16Length + 1);
    utf16ToSjis(fromUtf16.data(), utf16.data());
    std::vector<unsigned char> back16(2 * std::strlen(fromUtf16.data()) + 2);
    sjisToUtf16(back16.data(), fromUtf16.data());
    const auto asString = [](const std::vector<unsigned char>& v, std::size_t n) { return std::string(v.begin(), v.begin() + static_cast<long>(n)); };
    require(asString(back16, static_cast<std::size_t>(utf16ByteLength(back16.data()))) ==
                yenAsBackslash(asString(utf16, utf16Length), 2), "UTF-16 -> inside -> UTF-16");

    std::vector<unsigned char> toUtf16(2 * length + 2);
    sjisToUtf16(toUtf16.data(), text.data());

    std::vector<char> toUtf8(3 * length + 1);
    sjisToUtf8(toUtf8.data(), text.data());

    // The boundary's conversion, which composes first: any name that composition leaves as it
    // is, valid UTF-8 or not, goes back to the file system byte for byte.
    std::vector<char> quiet(3 * length + 1);
    require(utf8ToSjisQuiet(quiet.data(), quiet.size(), text.data()) == 0, "inside form fits 3x");
    std::vector<char> outside(3 * std::strlen(quiet.data()) + 1);
    const int path = sjisToUtf8Quiet(outside.data(), outside.size(), quiet.data(), OutsideUse::Path);
    std::vector<char> shown(3 * std::strlen(quiet.data()) + 1);
    sjisToUtf8Quiet(shown.data(), shown.size(), quiet.data(), OutsideUse::Shown);
    const std::string given = text.data();
    composeUtf8(text.data());
    if (given == text.data()) require(path == 0 && given == outside.data(), "name -> inside -> name");
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
