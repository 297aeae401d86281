// Trimming one trailing separator from a folder path (the dialog's initial folder), keeping
// a bare drive's backslash, and cutting a path to the 259 bytes a path buffer holds.
#include "io/path.h"
#include "platform/platform.h"

namespace {

constexpr int kPathCharacters = kPathBytes - 1;

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool startsWithDrive(const char* path) {
    char c = path[0];
    return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && path[1] == ':';
}

} // namespace

int trimTrailingSeparator(char* path) {
    // Stepping over double-byte characters, so a final character whose trail byte is 0x5C is
    // not mistaken for a separator and a cut never keeps half a character.
    int n = 0;
    int lastStart = 0;
    bool lastSingle = false;
    bool trail = false;
    for (; n < kPathCharacters && path[n] != '\0'; ++n) {
        if (trail) {
            trail = false;
            continue;
        }
        lastStart = n;
        lastSingle = !platform::isDbcsLeadByte(static_cast<unsigned char>(path[n]));
        trail = !lastSingle;
    }
    if (n == kPathCharacters && trail) {
        n = lastStart; // the cut fell between a lead byte and its trail byte
    } else if (n < kPathCharacters && lastSingle && isSeparator(path[n - 1])) {
        int shortest = startsWithDrive(path) ? 4 : 2; // "C:\" and a lone "\" stay
        if (n >= shortest) --n;
    }
    path[n] = '\0';
    return 0;
}
