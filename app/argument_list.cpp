// Collecting command-line arguments into the fixed pool (see argument_list.h).
#include "app/argument_list.h"

#include <cstring>

#include "text/inside_text.h"

ArgumentList gArguments;

void clearArguments() {
    gArguments.used = 0;
    gArguments.count = 0;
    gArguments.pool[0] = '\0';
}

int collectArgument(const char* text, bool mayBeQuoted) {
    if (text[0] == '\0') return 0;
    if (gArguments.count >= kArgumentSlots) return -1;
    const bool quoted = mayBeQuoted && text[0] == '"';
    const char* from = quoted ? text + 1 : text;
    std::int32_t length = 0;
    for (const char* p = from; *p != '\0';) {
        if (quoted && *p == '"') break; // the closing quote and what follows are dropped
        const std::int32_t width = static_cast<std::int32_t>(insideCharacterBytes(p));
        // A cut entry would name another file: one that does not fit is left out whole.
        if (width > kArgumentTextLimit - gArguments.used - length) return -1;
        length += width;
        p += width;
    }
    if (length == 0) return 0;
    const std::int32_t start = gArguments.used;
    std::memcpy(gArguments.pool + start, from, static_cast<std::size_t>(length));
    gArguments.pool[start + length] = '\0';
    gArguments.starts[gArguments.count] = start;
    ++gArguments.count;
    gArguments.used = start + length + 1;
    return 0;
}

const char* argumentEntry(int index) { return gArguments.pool + gArguments.starts[index]; }

bool isOptionEntry(const char* entry) { return entry[0] == '-' || entry[0] == '/'; }
