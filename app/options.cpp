// Parsing of option entries (see options.h). Numbers are read as strtol (base 10) and strtod
// read them: no number gives 0 and scanning resumes at the same byte.
#include "app/options.h"

#include <cstdint>
#include <cstdlib>

#include "app/run_settings.h"
#include "platform/console.h"

namespace {

bool isLetter(char c, char upper) { return c == upper || c == upper + ('a' - 'A'); }

const char* skipEquals(const char* p) { return *p == '=' ? p + 1 : p; }

// Read as the 32-bit long of the system the program is written for: a number beyond its range
// gives the nearest end (as strtol does there), whatever the width of long on this build.
long readLong(const char** p) {
    char* end = nullptr;
    long long value = std::strtoll(*p, &end, 10);
    *p = end;
    if (value > INT32_MAX) value = INT32_MAX;
    if (value < INT32_MIN) value = INT32_MIN;
    return static_cast<long>(value);
}

double readReal(const char** p) {
    char* end = nullptr;
    double value = std::strtod(*p, &end);
    *p = end;
    return value;
}

// The low 8 bits as a signed value: -D300 keeps 44.
std::int8_t cutToInt8(long value) {
    return static_cast<std::int8_t>(static_cast<unsigned char>(static_cast<unsigned long>(value) & 0xFFu));
}

} // namespace

int parseOptionEntry(const char* entry, bool store) {
    int unknown = 0;
    const char* p = entry;
    while (*p != '\0') {
        const char c = *p;
        if (c == '-' || c == '/') {
            ++p;
        } else if (isLetter(c, 'D')) {
            p = skipEquals(p + 1);
            long value = readLong(&p);
            if (store) {
                setRunDisplayLevel(cutToInt8(value));
                consolePrint("Info.displayLevel = %ld. \n", static_cast<long>(gSettings.displayLevel));
            }
        } else if (isLetter(c, 'E')) {
            ++p;
            if (isLetter(*p, 'A')) ++p;
            p = skipEquals(p);
            double value = readReal(&p);
            if (store) {
                gSettings.errorAdmittance = static_cast<float>(value);
                consolePrint("ErrorAdmittance = %g \n", static_cast<double>(gSettings.errorAdmittance));
            }
        } else if (isLetter(c, 'M')) {
            p = skipEquals(p + 1);
            long value = readLong(&p);
            if (store) {
                gSettings.convMode = cutToInt8(value);
                consolePrint("Conv.mode = %ld. \n", static_cast<long>(gSettings.convMode));
            }
        } else if (isLetter(c, 'N') && isLetter(p[1], 'D')) {
            p = skipEquals(p + 2);
            std::int8_t value = 1; // a bare ND switches the dialogue off
            if (*p >= '0' && *p <= '9') value = cutToInt8(readLong(&p));
            if (store) {
                gSettings.cancelDisplayingDialogue = value;
                consolePrint("Cancel.displaying.dialogue = %d \n", static_cast<int>(value));
            }
        } else if (isLetter(c, 'N')) {
            p = skipEquals(p + 1);
            (void)readLong(&p); // an N option of another kind: its number is not used
        } else {
            const signed char shown = static_cast<signed char>(c);
            consolePrint("\nOption error: <%c> %02X", shown, static_cast<unsigned>(static_cast<int>(shown)));
            ++unknown;
            ++p;
        }
    }
    return unknown;
}
