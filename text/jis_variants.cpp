// The JIS / code page 932 variant pairs and their folding in UTF-8 text (see jis_variants.h).
#include "text/jis_variants.h"

#include "text/convert_core.h"

const JisVariantPair kJisVariantPairs[kJisVariantPairCount] = {
    {0x301C, 0xFF5E}, // 〜 wave dash / ～ full-width tilde
    {0x2014, 0x2015}, // — em dash / ― horizontal bar
    {0x2212, 0xFF0D}, // − minus sign / － full-width hyphen-minus
    {0x2016, 0x2225}, // ‖ double vertical line / ∥ parallel to
    {0x00A2, 0xFFE0}, // ¢ / ￠
    {0x00A3, 0xFFE1}, // £ / ￡
    {0x00AC, 0xFFE2}, // ¬ / ￢
};

namespace {

std::uint32_t jisReadingOf(std::uint32_t codePoint) {
    for (const JisVariantPair& pair : kJisVariantPairs)
        if (pair.cp932 == codePoint) return pair.jis;
    return codePoint;
}

} // namespace

void foldJisVariants(char* text) {
    unsigned char* bytes = reinterpret_cast<unsigned char*>(text);
    OutputBuffer out{text, kUnboundedCapacity, 0};
    std::size_t read = 0;
    while (bytes[read] != 0) {
        const Utf8Sequence s = readUtf8Sequence(bytes + read);
        if (isShortestValidForm(s) && s.expected > 1) {
            const std::uint32_t folded = jisReadingOf(s.codePoint);
            if (folded != s.codePoint) {
                // Each JIS reading takes no more UTF-8 bytes than its partner: never past `read`.
                putUtf8(out, folded);
                read += static_cast<std::size_t>(s.consumed);
                continue;
            }
        }
        const std::size_t length = s.wellFormed ? static_cast<std::size_t>(s.consumed) : 1;
        for (std::size_t i = 0; i < length; ++i) bytes[out.used++] = bytes[read++];
    }
    finishOutput(out);
}
