// Inside form <-> UTF-16 for the wide calls (see wide_names.h), through the text converters,
// which take little-endian UTF-16 bytes: what a wchar_t array holds on Windows.
#include "platform/win32/wide_names.h"

#include "text/convert.h"

namespace platform {
namespace win32 {

int toWide(const char* inside, wchar_t* out, std::size_t units) {
    if (inside == nullptr || out == nullptr || units == 0) return -1;
    return insideNameToUtf16(reinterpret_cast<unsigned char*>(out), 2 * units, inside);
}

int fromWide(const wchar_t* wide, char* out, std::size_t capacity) {
    if (wide == nullptr || out == nullptr || capacity == 0) return -1;
    return utf16NameToInside(out, capacity, reinterpret_cast<const unsigned char*>(wide));
}

} // namespace win32
} // namespace platform
