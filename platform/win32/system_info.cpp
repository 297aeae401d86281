// Win32 system information: the version numbers (GetVersion, RtlGetVersion through ntdll),
// the user's language, the lead bytes of the inside form and of the system's ANSI code page, the
// current folder and full paths (the wide calls, so names of any script arrive whole).
#include <windows.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/win32/wide_names.h"

namespace platform {
namespace {

// RtlGetVersion fills the record and returns an NTSTATUS.
using RtlGetVersionFunction = LONG(WINAPI*)(RTL_OSVERSIONINFOW*);

// The size field the call expects: the record without the service-pack extension.
constexpr DWORD kRtlVersionInfoBytes = 276;
static_assert(sizeof(RTL_OSVERSIONINFOW) == kRtlVersionInfoBytes, "RTL_OSVERSIONINFOW layout");

// The status bit that marks a failed call; the record is read only while it is clear.
constexpr LONG kRtlStatusFailureBit = 0x2;

} // namespace

std::uint32_t getVersion() { return static_cast<std::uint32_t>(GetVersion()); }

int rtlGetVersion(std::uint32_t* major, std::uint32_t* minor, std::uint32_t* build) {
    // ntdll is mapped into every process; the extra reference from LoadLibraryExA keeps it
    // valid while the address is used and is dropped again below.
    if (GetModuleHandleA("ntdll.dll") == nullptr) return -1;
    HMODULE ntdll = LoadLibraryExA("ntdll.dll", nullptr, 0);
    if (ntdll == nullptr) return -1;

    int result = -1;
    FARPROC address = GetProcAddress(ntdll, "RtlGetVersion");
    if (address != nullptr) {
        // Through the generic function-pointer type, which the compiler accepts as a cast
        // between unrelated function types.
        auto rtlGetVersionCall =
            reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void (*)()>(address));
        RTL_OSVERSIONINFOW info;
        std::memset(&info, 0, sizeof info);
        info.dwOSVersionInfoSize = kRtlVersionInfoBytes;
        info.dwMajorVersion = 0;
        info.dwMinorVersion = 0;
        info.dwBuildNumber = 0;
        LONG status = rtlGetVersionCall(&info);
        if ((status & kRtlStatusFailureBit) == 0) {
            *major = info.dwMajorVersion;
            *minor = info.dwMinorVersion;
            *build = info.dwBuildNumber;
            result = 0;
        }
    }
    FreeLibrary(ntdll);
    return result;
}

int hostSystem(char* /*name*/, std::size_t /*nameCapacity*/, char* /*release*/,
               std::size_t /*releaseCapacity*/) {
    return -1; // Windows: the start-up line uses the Windows version table
}

std::uint16_t userDefaultLangId() { return static_cast<std::uint16_t>(GetUserDefaultLangID()); }

// The inside form is Shift-JIS whatever the system's code page: code page 932's lead bytes.
bool isDbcsLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

bool systemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }

namespace {

wchar_t gWide[win32::kWidePathUnits];
wchar_t gWideFull[win32::kWidePathUnits];
// A unit takes at most four bytes of the inside form (an escape).
char gInside[4 * win32::kWidePathUnits + 1];

} // namespace

std::uint32_t currentDirectory(std::uint32_t capacity, char* out) {
    if (out == nullptr || capacity == 0) return 0;
    out[0] = '\0';
    DWORD units = GetCurrentDirectoryW(static_cast<DWORD>(win32::kWidePathUnits), gWide);
    // 0 is failure; a value of the capacity or more is the size the folder would need.
    if (units == 0 || units >= win32::kWidePathUnits) return 0;
    // A drive's root comes back as "C:\"; the caller appends the separator itself. Trimmed while
    // wide: in the inside form a last byte 0x5C may be the trail byte of a character (表).
    if (units > 1 && gWide[units - 1] == L'\\') gWide[--units] = L'\0';
    if (win32::fromWide(gWide, gInside, sizeof gInside) != 0) return 0;
    std::size_t length = std::strlen(gInside);
    if (length >= capacity) return 0;
    std::memcpy(out, gInside, length + 1);
    return static_cast<std::uint32_t>(length);
}

std::uint32_t fullPathName(const char* path, std::uint32_t capacity, char* out) {
    if (path == nullptr || out == nullptr || capacity == 0) return 0;
    out[0] = '\0';
    if (win32::toWide(path, gWide, win32::kWidePathUnits) != 0) return 0;
    DWORD units = GetFullPathNameW(gWide, static_cast<DWORD>(win32::kWidePathUnits), gWideFull, nullptr);
    if (units == 0 || units >= win32::kWidePathUnits || win32::fromWide(gWideFull, gInside, sizeof gInside) != 0)
        return 0;
    const std::size_t length = std::strlen(gInside);
    // A value of `capacity` or more is the size the full path would need.
    if (length >= capacity) return static_cast<std::uint32_t>(length + 1);
    std::memcpy(out, gInside, length + 1);
    return static_cast<std::uint32_t>(length);
}

} // namespace platform
