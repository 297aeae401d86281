// Control characters in what the program shows. Names and texts taken from files or the file
// system may hold them, and a terminal acts on them: ESC starts sequences that set the window
// title, write the clipboard or clear the screen (and can hide an "(=NG=)"). Where console and
// prompt text leave the program, each is shown as "\x" and two hex digits (ESC as "\x1b"); the
// files written keep the bytes. NUL, TAB, LF and CR pass, as the console text itself uses them
// (the program's own texts hold no other control character).
#pragma once

#include <cstddef>

// The shown form of one control character: "\x1b".
constexpr std::size_t kShownControlBytes = 4;

// The control character at `bytes` (`length` bytes from there, at least 1): a C0 character but
// NUL, TAB, LF and CR, or DEL, one byte; when `utf8`, also a C1 character (U+0080-U+009F, C2 80 to
// C2 9F), two bytes. Returns its byte count and puts its code in `*code`; 0 when none stands
// there. No byte of another character is below 0x40 or DEL, in Shift-JIS and UTF-8 alike, so a
// text can be walked byte by byte. A Shift-JIS text holds no C1 character: code page 932 has no
// code for one, so it is shown as "?" before it gets here.
std::size_t controlCharacterAt(const char* bytes, std::size_t length, bool utf8, unsigned* code);

// `length` bytes of `in` with every control character shown; `out` has room for
// kShownControlBytes * `length` bytes, which is always enough. Returns the bytes written.
std::size_t showControls(char* out, const char* in, std::size_t length, bool utf8);
