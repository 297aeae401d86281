// Small walks over UTF-16LE strings: comparison against a reference name, and byte length.
#include "text/convert.h"

namespace {

unsigned unitAt(const unsigned char* text, int index) {
    return text[2 * index] | (text[2 * index + 1] << 8);
}

} // namespace

int utf16Compare(const unsigned char* text, const unsigned char* reference) {
    int i = 0;
    for (; unitAt(reference, i) != 0; ++i) {
        // A text that ends early differs at its terminator, so it is never read past.
        if (unitAt(text, i) != unitAt(reference, i)) return -1;
    }
    return unitAt(text, i) == 0 ? 0 : 3;
}

int utf16ByteLength(const unsigned char* text) {
    int units = 0;
    while (unitAt(text, units) != 0) ++units;
    return 2 * units;
}
