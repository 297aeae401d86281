// Win32 system information: the version numbers (GetVersion, RtlGetVersion through ntdll),
// the user's language, the ANSI code page's lead bytes, the current folder and full paths.
#include <windows.h>

#include <cstring>

#include "platform/platform.h"

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

bool isDbcsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != 0; }

std::uint32_t currentDirectory(std::uint32_t capacity, char* out) {
    if (out == nullptr || capacity == 0) return 0;
    DWORD length = GetCurrentDirectoryA(capacity, out);
    // 0 is failure; a value of `capacity` or more is the size the folder would need.
    if (length == 0 || length >= capacity) {
        out[0] = '\0';
        return 0;
    }
    // A drive's root comes back as "C:\"; the caller appends the separator itself.
    if (length > 1 && out[length - 1] == '\\') {
        out[length - 1] = '\0';
        --length;
    }
    return static_cast<std::uint32_t>(length);
}

std::uint32_t fullPathName(const char* path, std::uint32_t capacity, char* out) {
    if (path == nullptr || out == nullptr || capacity == 0) return 0;
    DWORD length = GetFullPathNameA(path, capacity, out, nullptr);
    // 0 is failure; a value of `capacity` or more is the size the full path would need.
    if (length == 0 || length >= capacity) out[0] = '\0';
    return static_cast<std::uint32_t>(length);
}

} // namespace platform
