// Trimming one trailing separator from a folder path (the dialog's initial folder), keeping
// a bare drive's backslash, and cutting a path to the 259 bytes a path buffer holds.
#include "io/path.h"
#include "text/inside_text.h"

namespace {

constexpr int kPathCharacters = kPathBytes - 1;

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool startsWithDrive(const char* path) {
    char c = path[0];
    return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && path[1] == ':';
}

} // namespace

int trimTrailingSeparator(char* path) {
    // Stepping over whole characters, so a final character whose trail byte is 0x5C is not
    // mistaken for a separator and a cut never keeps part of a character.
    int n = 0;
    int lastStart = 0;
    while (n < kPathCharacters && path[n] != '\0') {
        lastStart = n;
        n += static_cast<int>(insideCharacterBytes(path + n));
    }
    if (n > kPathCharacters) {
        n = lastStart; // the cut fell inside the last character
    } else if (n < kPathCharacters && n - lastStart == 1 && isSeparator(path[lastStart])) {
        int shortest = startsWithDrive(path) ? 4 : 2; // "C:\" and a lone "\" stay
        if (n >= shortest) --n;
    }
    path[n] = '\0';
    return 0;
}
