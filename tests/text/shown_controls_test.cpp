// Control characters shown as "\x" and two hex digits, and nothing else: the console's own NUL,
// TAB, LF and CR pass, as do the bytes of Shift-JIS characters and UTF-8 characters from U+00A0.
#include <gtest/gtest.h>

#include <string>

#include "text/shown_controls.h"

using namespace std::string_literals;

TEST(ShownControls, EachControlCharacterIsEscapedAndNothingElse) {
    const struct { std::string in; bool utf8; std::string out; } rows[] = {
        {"\x01\x1f \x7f~"s, false, "\\x01\\x1f \\x7f~"s},
        {"\0\t\n\r"s, true, "\0\t\n\r"s},
        // U+0080 and U+009F; U+00A0, and a lead byte at the end, pass.
        {"\xC2\x80\xC2\x9F\xC2\xA0\xC2"s, true, "\\x80\\x9f\xC2\xA0\xC2"s},
        {"\xC2\x9B"s, false, "\xC2\x9B"s}, // Shift-JIS: a half-width katakana, then a lead byte
    };
    for (const auto& row : rows) {
        std::string out(kShownControlBytes * row.in.size(), '\0');
        out.resize(showControls(&out[0], row.in.data(), row.in.size(), row.utf8));
        EXPECT_EQ(out, row.out);
    }
}
