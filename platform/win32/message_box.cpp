// Win32 message box: the questions and notices, shown without an owner window. A Shift-JIS
// text (Japanese mode) goes to MessageBoxA as it is; a UTF-8 text (English mode, which may
// carry a Japanese file name) is widened and shown by MessageBoxW, because the ANSI box would
// read its bytes in the system's code page and show a Japanese name as garbage. Control
// characters a name brought along are shown as "\x1b" in either.
#include <windows.h>

#include "platform/platform.h"
#include "text/inside_text.h"
#include "text/shown_controls.h"

namespace platform {
namespace {

// A message text holds at most 520 bytes, each shown in at most four (a control character as
// "\x1b"); a UTF-8 byte never widens to more than one UTF-16 unit, so the text and its
// terminator always fit.
constexpr int kMessageBytes = 520;
constexpr int kShownUnits = kShownControlBytes * kMessageBytes + 1;
wchar_t gWideText[kShownUnits];
wchar_t gWideCaption[64];
char gShownText[kMessageBytes + 1];
char gEscapedText[kShownUnits];

// `text` with its control characters shown, in gEscapedText.
const char* withControlsShown(const char* text, bool utf8) {
    std::size_t length = 0;
    while (text[length] != '\0' && length < static_cast<std::size_t>(kMessageBytes)) ++length;
    gEscapedText[showControls(gEscapedText, text, length, utf8)] = '\0';
    return gEscapedText;
}

// 0 and the widened text, or -1 when it does not convert (the ANSI box is then the fallback).
int widen(const char* utf8, wchar_t* out, int capacity) {
    int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out, capacity);
    return units > 0 ? 0 : -1;
}

} // namespace

int messageBox(const char* text, const char* caption, std::uint32_t flags, bool textIsUtf8) {
    // Standard output may be a pipe that a person reads along with the box: show what was
    // printed before the question first.
    consoleFlush();
    UINT style = static_cast<UINT>(flags);
    if (textIsUtf8 && widen(withControlsShown(text, true), gWideText, kShownUnits) == 0 &&
        widen(caption, gWideCaption, static_cast<int>(sizeof gWideCaption / sizeof gWideCaption[0])) == 0)
        return MessageBoxW(nullptr, gWideText, gWideCaption, style);
    // A Shift-JIS text shows an escaped character as its code page 932 code or "?".
    insideToShownSjis(gShownText, sizeof gShownText, text);
    return MessageBoxA(nullptr, withControlsShown(gShownText, false), caption, style);
}

} // namespace platform
