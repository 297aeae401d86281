// System information on POSIX: there is no Windows version (the start-up line names the host
// from uname instead), the language comes from the locale, and the current folder from getcwd.
#include <sys/utsname.h>
#include <unistd.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/posix/boundary.h"
#include "platform/posix/locale_settings.h"

namespace platform {
namespace {

// Copies `text` into `out`, cut to fit.
void copyCut(char* out, std::size_t capacity, const char* text) {
    if (out == nullptr || capacity == 0) return;
    std::size_t length = std::strlen(text);
    if (length > capacity - 1) length = capacity - 1;
    std::memcpy(out, text, length);
    out[length] = '\0';
}

} // namespace

std::uint32_t getVersion() { return 0; }

int rtlGetVersion(std::uint32_t* major, std::uint32_t* minor, std::uint32_t* build) {
    (void)major;
    (void)minor;
    (void)build;
    return -1;
}

int hostSystem(char* name, std::size_t nameCapacity, char* release, std::size_t releaseCapacity) {
    if (name == nullptr || nameCapacity == 0 || release == nullptr || releaseCapacity == 0)
        return -1;
    struct utsname host;
    if (uname(&host) != 0) return -1;
    copyCut(name, nameCapacity, host.sysname);
    copyCut(release, releaseCapacity, host.release);
    return 0;
}

std::uint16_t userDefaultLangId() { return posix::localeLangId(); }

std::uint32_t currentDirectory(std::uint32_t capacity, char* out) {
    if (out == nullptr || capacity == 0) return 0;
    char outside[posix::kOutsidePathBytes];
    if (getcwd(outside, sizeof outside) == nullptr) return 0;
    // The inside form takes at most three bytes for each outside byte, so this is never cut.
    char inside[3 * posix::kOutsidePathBytes + 1];
    if (posix::textToInside(inside, sizeof inside, outside, false) != 0) return 0;
    std::size_t length = std::strlen(inside);
    if (length >= capacity) return 0;
    std::memcpy(out, inside, length + 1);
    return static_cast<std::uint32_t>(length);
}

} // namespace platform
