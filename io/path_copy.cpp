// Copying a Shift-JIS path into a buffer of known size, cut at a character boundary when it
// does not fit: the one way io/ fills a fixed path buffer from a caller's string.
#include "io/path.h"
#include "text/inside_text.h"

int copyPathBounded(char* out, std::size_t capacity, const char* path) {
    if (capacity == 0) return -1;
    std::size_t used = 0;
    while (path[used] != '\0') {
        const std::size_t width = insideCharacterBytes(path + used);
        if (width > capacity - 1 - used) {
            out[used] = '\0';
            return -1;
        }
        for (std::size_t k = 0; k < width; ++k) out[used + k] = path[used + k];
        used += width;
    }
    out[used] = '\0';
    return 0;
}
