// The language of the run, chosen once at start-up from the user's default language and the
// system's code page: Japanese texts only when both are Japanese.
#pragma once

// Fills the two language flags of gSettings and sets the shared Japanese mode.
void detectLanguage();
// The start-up label of the mode (Shift-JIS): English, Japanese, or a Japanese user whose
// code page is not Shift-JIS (who gets the English texts).
const char* modeLabel(bool isJapaneseUser, bool isShiftJisCodePage);
