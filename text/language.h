// The language mode shared by every subsystem: Japanese texts only when the user is Japanese
// and the system's code page is Shift-JIS. The driver sets it once at start-up.
#pragma once

bool japaneseMode();
void setJapaneseMode(bool on);
