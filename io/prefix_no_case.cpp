// The prefix test without ASCII letter case that the dialogs use on extensions (".pngx" begins
// with ".PNG"). No stepping: the prefixes compared are ASCII.
#include "io/path.h"

namespace {

char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

int startsWithNoCase(const char* text, const char* prefix) {
    for (int i = 0; prefix[i] != '\0'; ++i) {
        // A text that ends early differs here at its terminator, which stops the walk.
        if (upperAscii(text[i]) != upperAscii(prefix[i])) return -1;
    }
    return 0;
}
