// Language detection and the mode label (see language_mode.h).
#include "app/language_mode.h"

#include "app/run_settings.h"
#include "app/texts_ja.h"
#include "platform/platform.h"
#include "text/language.h"

namespace {
constexpr unsigned short kJapaneseLangId = 1041;
// A lead byte of code page 932 only: tells a Shift-JIS system from other double-byte ones.
constexpr unsigned char kShiftJisProbeByte = 0x92;
} // namespace

void detectLanguage() {
    gSettings.isJapaneseUser = platform::userDefaultLangId() == kJapaneseLangId;
    gSettings.isShiftJisCodePage =
        gSettings.isJapaneseUser && platform::systemLeadByte(kShiftJisProbeByte);
    setJapaneseMode(gSettings.isJapaneseUser && gSettings.isShiftJisCodePage);
}

const char* modeLabel(bool isJapaneseUser, bool isShiftJisCodePage) {
    if (!isJapaneseUser) return "(English mode) ";
    if (isShiftJisCodePage) return kModeLabelJa;
    return "(UTF-8 Japanese)";
}
