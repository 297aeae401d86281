// Win32 message box: the questions and notices, shown without an owner window.
#include <windows.h>

#include "platform/platform.h"

namespace platform {

int messageBox(const char* text, const char* caption, std::uint32_t flags) {
    // Standard output may be a pipe that a person reads along with the box: show what was
    // printed before the question first.
    consoleFlush();
    return MessageBoxA(nullptr, text, caption, static_cast<UINT>(flags));
}

} // namespace platform
