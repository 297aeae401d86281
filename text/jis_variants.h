// The characters Japanese systems spell two ways: JIS X 0208 and code page 932 read the same
// Shift-JIS code as different characters (0x8160 is the wave dash U+301C in the one, the
// full-width tilde U+FF5E in the other). A name typed on one system and stored by another is
// the same name; the file lookup folds the pairs as its last resort.
#pragma once

#include <cstddef>
#include <cstdint>

struct JisVariantPair {
    std::uint32_t jis;   // as JIS X 0208, macOS and Linux input methods give it
    std::uint32_t cp932; // as code page 932 (Windows) reads the same code
};

constexpr std::size_t kJisVariantPairCount = 7;
extern const JisVariantPair kJisVariantPairs[kJisVariantPairCount];

// Replaces, in UTF-8 text, each code page 932 reading of a pair by its JIS reading. The result
// is never longer, so it is done in place; bytes that are not UTF-8 are kept as they are.
void foldJisVariants(char* text);
