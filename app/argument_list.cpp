// Collecting command-line arguments into the fixed pool (see argument_list.h).
#include "app/argument_list.h"

#include "platform/platform.h"

ArgumentList gArguments;

void clearArguments() {
    gArguments.used = 0;
    gArguments.count = 0;
    gArguments.pool[0] = '\0';
}

void collectArgument(const char* text) {
    if (text[0] == '\0') return;
    if (gArguments.count >= kArgumentSlots) return;
    const bool quoted = text[0] == '"';
    const char* from = quoted ? text + 1 : text;
    const std::int32_t start = gArguments.used;
    const std::int32_t room = kArgumentTextLimit - start; // characters this entry may take
    std::int32_t copied = 0;
    bool inDoubleByte = false;
    for (const char* p = from; *p != '\0' && copied < room; ++p) {
        unsigned char byte = static_cast<unsigned char>(*p);
        if (inDoubleByte) {
            inDoubleByte = false;
        } else if (platform::isDbcsLeadByte(byte)) {
            inDoubleByte = true;
        } else if (quoted && byte == '"') {
            break; // the closing quote and what follows are dropped
        }
        gArguments.pool[start + copied] = *p;
        ++copied;
    }
    if (copied == 0) return;
    gArguments.pool[start + copied] = '\0';
    gArguments.starts[gArguments.count] = start;
    ++gArguments.count;
    gArguments.used = start + copied + 1;
}

const char* argumentEntry(int index) { return gArguments.pool + gArguments.starts[index]; }

bool isOptionEntry(const char* entry) { return entry[0] == '-' || entry[0] == '/'; }
