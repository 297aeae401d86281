// Canonical composition over the characters that have a Shift-JIS code: a character and the
// combining marks after it become the one character they compose to (e + U+0301 is é, カ +
// U+3099 is ガ), as names decomposed by macOS must become the names a Windows model links to.
// Nothing is decomposed, and a pair whose composition has no code stays as it is.
#pragma once

#include <cstddef>
#include <cstdint>

// One canonical decomposition: `first` followed by `mark` is `composed`.
struct CompositionPair {
    std::uint16_t first;
    std::uint16_t mark;
    std::uint16_t composed;
};

// Generated into composition_table.cpp by tools/gen_sjis_tables.py, sorted by first, then
// mark; only composePair reads it.
constexpr std::size_t kCompositionPairCount = 208;
extern const CompositionPair kCompositionPairs[kCompositionPairCount];

// The character `first` followed by `mark` composes to, or 0 when the table has no such pair.
std::uint32_t composePair(std::uint32_t first, std::uint32_t mark);

// Composes UTF-8 text in place; the result is never longer. Bytes that are not UTF-8, and
// sequences in a longer form than needed, are kept as they are and compose with nothing.
void composeUtf8(char* text);
