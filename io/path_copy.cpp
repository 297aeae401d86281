// Copying a Shift-JIS path into a buffer of known size, cut at a character boundary when it
// does not fit: the one way io/ fills a fixed path buffer from a caller's string.
#include "io/path.h"
#include "platform/platform.h"
#include "text/inside_text.h"

int copyPathBounded(char* out, std::size_t capacity, const char* path) {
    if (capacity == 0) return -1;
    std::size_t used = 0;
    while (path[used] != '\0') {
        bool lead = platform::isDbcsLeadByte(static_cast<unsigned char>(path[used]));
        std::size_t width = (lead && path[used + 1] != '\0') ? 2 : 1;
        // An escape of the inside form is one character too.
        const std::size_t escape = insideCharacterBytes(path + used);
        if (escape > 2) width = escape;
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
