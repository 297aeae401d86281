// Terminal text with its control characters shown (see terminal_text.h): the runs between them
// go out as they are.
#include "platform/terminal_text.h"

#include "text/shown_controls.h"

namespace platform {

void writeShown(std::FILE* stream, const char* bytes, std::size_t length, bool utf8) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < length;) {
        unsigned code = 0;
        const std::size_t width = controlCharacterAt(bytes + i, length - i, utf8, &code);
        if (width == 0) {
            ++i;
            continue;
        }
        std::fwrite(bytes + start, 1, i - start, stream);
        char shown[kShownControlBytes];
        std::fwrite(shown, 1, showControls(shown, bytes + i, width, utf8), stream);
        i += width;
        start = i;
    }
    std::fwrite(bytes + start, 1, length - start, stream);
}

} // namespace platform
