// Win32 file-open dialog: GetOpenFileNameW with the older form of OPENFILENAMEW (without the
// fields added in Windows 2000), filled from the program's request converted to UTF-16, and the
// chosen name converted back to the inside form, so a name of any script is offered and chosen.
#include <windows.h>
#include <commdlg.h>

#include <cstddef>
#include <cstring>
#include <cwchar>

#include "platform/platform.h"
#include "platform/win32/wide_names.h"

namespace platform {
namespace {

// OPENFILENAME_SIZE_VERSION_400W: the record up to and including lpTemplateName. The product
// is the 32-bit build, where it is 76 bytes; the 64-bit build's pointers and their padding
// make it 136.
constexpr std::size_t kOlderDialogFormBytes = sizeof(void*) == 4 ? 76 : 136;
static_assert(sizeof(void*) == 4 || sizeof(void*) == 8, "a 32-bit or 64-bit build");
static_assert(offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR) == kOlderDialogFormBytes,
              "the request of the older dialog form");

constexpr std::size_t kTextUnits = win32::kWidePathUnits;
constexpr std::size_t kFilterUnits = 4096;
constexpr std::uint32_t kCdErrInitialization = 0x0002;

wchar_t gFilter[kFilterUnits];
wchar_t gFile[kTextUnits];
wchar_t gInitialDir[kTextUnits];
wchar_t gTitle[kTextUnits];
wchar_t gDefaultExt[kTextUnits];
// Set when the conversion, not the dialog, failed; CommDlgExtendedError answers otherwise.
std::uint32_t gOwnError = 0;

// "description NUL pattern NUL ... NUL" converted piece by piece. 0, or -1.
int convertFilter(const char* filter) {
    std::size_t used = 0;
    for (const char* piece = filter; piece != nullptr && piece[0] != '\0'; piece += std::strlen(piece) + 1) {
        if (used >= kFilterUnits - 1 || win32::toWide(piece, gFilter + used, kFilterUnits - 1 - used) != 0) return -1;
        used += std::wcslen(gFilter + used) + 1;
    }
    gFilter[used] = L'\0';
    return 0;
}

// `text` (nullptr for none) in `out`: the wide text or nullptr. false when it does not convert.
bool convertText(const char* text, wchar_t* out, const wchar_t** result) {
    *result = nullptr;
    if (text == nullptr) return true;
    if (win32::toWide(text, out, kTextUnits) != 0) return false;
    *result = out;
    return true;
}

} // namespace

int getOpenFileName(OpenFileRequest* request) {
    gOwnError = 0;
    if (request == nullptr || request->file == nullptr) return 0;
    consoleFlush(); // what was printed before the dialog is seen first

    OPENFILENAMEW dialog;
    std::memset(&dialog, 0, sizeof dialog);
    const wchar_t* initialDir;
    const wchar_t* title;
    const wchar_t* defaultExt;
    const wchar_t* file;
    if (convertFilter(request->filter) != 0 || !convertText(request->initialDir, gInitialDir, &initialDir) ||
        !convertText(request->title, gTitle, &title) || !convertText(request->defaultExt, gDefaultExt, &defaultExt) ||
        !convertText(request->file, gFile, &file)) {
        gOwnError = kCdErrInitialization;
        return 0;
    }
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    dialog.lpstrFilter = gFilter;
    dialog.nFilterIndex = request->filterIndex;
    dialog.lpstrFile = gFile;
    dialog.nMaxFile = static_cast<DWORD>(kTextUnits);
    dialog.lpstrInitialDir = initialDir;
    dialog.lpstrTitle = title;
    dialog.Flags = request->flags;
    dialog.lpstrDefExt = defaultExt;
    if (GetOpenFileNameW(&dialog) == 0) return 0;
    // The chosen name in the inside form; one that does not fit the caller's buffer is no answer.
    if (win32::fromWide(gFile, request->file, request->fileCapacity) != 0) {
        gOwnError = kFnErrBufferTooSmall;
        return 0;
    }
    return 1;
}

std::uint32_t commDlgExtendedError() {
    return gOwnError != 0 ? gOwnError : static_cast<std::uint32_t>(CommDlgExtendedError());
}

// Models are dropped on the program, which stands beside them: the dialog starts there.
bool modelDialogStartsInCurrentFolder() { return false; }

} // namespace platform
