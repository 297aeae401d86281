// UTF-16LE -> Shift-JIS for the texts of UTF-16LE models. A character without a Shift-JIS code
// becomes "?"; characters beyond the Basic Multilingual Plane have none.
#include "text/convert.h"
#include "text/convert_core.h"

namespace {

constexpr std::uint16_t kQuestionMark = 0x3F;

std::uint16_t unitAt(const unsigned char* in) {
    return static_cast<std::uint16_t>(in[0] | (in[1] << 8));
}

bool isHighSurrogate(std::uint16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

} // namespace

int utf16ToSjis(char* out, const unsigned char* in) {
    // No size from the caller: the output is at most the input's byte length plus 1.
    OutputBuffer buffer{out, kUnboundedCapacity, 0};
    int consumed = 0;
    for (;;) {
        std::uint16_t unit = unitAt(in + consumed);
        if (unit == 0) break;
        if (isHighSurrogate(unit)) {
            // The pair, valid or not, is one character with no code here. A surrogate right
            // before the terminator ends the text; nothing past the terminator is read.
            putSjisCode(buffer, kQuestionMark);
            if (unitAt(in + consumed + 2) == 0) {
                consumed += 2;
                break;
            }
            consumed += 4;
            continue;
        }
        std::uint16_t code = unit == 0x5C ? 0x5C : sjisCodeFor(unit);
        putSjisCode(buffer, code != 0 ? code : kQuestionMark);
        consumed += 2;
    }
    finishOutput(buffer);
    return consumed;
}
