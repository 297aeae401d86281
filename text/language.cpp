// Storage of the language mode (see language.h).
#include "text/language.h"

namespace {
bool gJapaneseMode = false;
}

bool japaneseMode() { return gJapaneseMode; }
void setJapaneseMode(bool on) { gJapaneseMode = on; }
