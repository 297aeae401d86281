// Composition of a character with the combining marks that follow it, over the generated pairs
// of composition_table.cpp: the lookup, one composed character of UTF-8 text, and UTF-8 text
// composed in place. The quiet UTF-8 converter of the boundary composes through the same step.
#include "text/composition.h"

#include "text/convert_core.h"

namespace {

std::uint32_t keyOf(std::uint32_t first, std::uint32_t mark) { return (first << 16) | mark; }

} // namespace

std::uint32_t composePair(std::uint32_t first, std::uint32_t mark) {
    if (first > 0xFFFF || mark > 0xFFFF) return 0;
    const std::uint32_t key = keyOf(first, mark);
    std::size_t low = 0;
    std::size_t high = kCompositionPairCount;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const CompositionPair& pair = kCompositionPairs[middle];
        const std::uint32_t found = keyOf(pair.first, pair.mark);
        if (found == key) return pair.composed;
        if (found < key) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return 0;
}

ComposedCharacter readComposedCharacter(const unsigned char* in) {
    const Utf8Sequence first = readUtf8Sequence(in);
    ComposedCharacter c{first, first.consumed, first.codePoint, false};
    if (!isShortestValidForm(first)) return c;
    // Every mark lies above U+007F: an ASCII byte or the terminator ends the character.
    while (in[c.consumed] >= 0x80) {
        const Utf8Sequence mark = readUtf8Sequence(in + c.consumed);
        if (!isShortestValidForm(mark)) break;
        const std::uint32_t composed = composePair(c.codePoint, mark.codePoint);
        if (composed == 0) break;
        c.codePoint = composed;
        c.consumed += mark.consumed;
        c.composed = true;
    }
    return c;
}

void composeUtf8(char* text) {
    unsigned char* bytes = reinterpret_cast<unsigned char*>(text);
    OutputBuffer out{text, kUnboundedCapacity, 0};
    std::size_t read = 0;
    while (bytes[read] != 0) {
        const ComposedCharacter c = readComposedCharacter(bytes + read);
        if (c.composed) {
            // Never longer than what it was read from, so it never reaches unread bytes.
            putUtf8(out, c.codePoint);
            read += static_cast<std::size_t>(c.consumed);
            continue;
        }
        // Kept as it is; bytes that are not UTF-8 one at a time, so that a character after a
        // stray byte still composes.
        const std::size_t length = c.first.wellFormed ? static_cast<std::size_t>(c.first.consumed) : 1;
        for (std::size_t i = 0; i < length; ++i) bytes[out.used++] = bytes[read++];
    }
    finishOutput(out);
}
