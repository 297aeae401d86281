// The locale environment, read without setlocale (which would change how the C library formats
// numbers): the language for GetUserDefaultLangID and the terminal's codeset.
#include "platform/posix/locale_settings.h"

#include <cstdlib>
#include <cstring>

namespace platform {
namespace posix {
namespace {

constexpr std::uint16_t kLangJapanese = 1041;
constexpr std::uint16_t kLangEnglish = 1033;

bool gRead = false;
std::uint16_t gLangId = kLangEnglish;
bool gUtf8 = false;

// The first of the variables that is set and not empty, or nullptr.
const char* firstSet(const char* const* names, int count) {
    for (int i = 0; i < count; ++i) {
        const char* value = std::getenv(names[i]);
        if (value != nullptr && value[0] != '\0') return value;
    }
    return nullptr;
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalNoCase(const char* text, std::size_t length, const char* lowerReference) {
    if (std::strlen(lowerReference) != length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (lowerAscii(text[i]) != lowerReference[i]) return false;
    }
    return true;
}

// "ja_JP.UTF-8@mod" -> the codeset "UTF-8" (the modifier after '@' is not part of it).
bool codesetIsUtf8(const char* locale) {
    if (locale == nullptr) return false;
    const char* dot = std::strchr(locale, '.');
    if (dot == nullptr) return false;
    const char* codeset = dot + 1;
    const char* at = std::strchr(codeset, '@');
    std::size_t length =
        at != nullptr ? static_cast<std::size_t>(at - codeset) : std::strlen(codeset);
    return equalNoCase(codeset, length, "utf-8") || equalNoCase(codeset, length, "utf8");
}

} // namespace

void readLocale() {
    static const char* const kMessageNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    static const char* const kCtypeNames[] = {"LC_ALL", "LC_CTYPE", "LANG"};
    const char* messages = firstSet(kMessageNames, 3);
    gLangId = (messages != nullptr && messages[0] == 'j' && messages[1] == 'a') ? kLangJapanese
                                                                                  : kLangEnglish;
    gUtf8 = codesetIsUtf8(firstSet(kCtypeNames, 3));
    gRead = true;
}

std::uint16_t localeLangId() {
    if (!gRead) readLocale();
    return gLangId;
}

bool consoleIsUtf8() {
    if (!gRead) readLocale();
    return gUtf8;
}

} // namespace posix
} // namespace platform
