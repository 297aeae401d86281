// Win32 file-open dialog: GetOpenFileNameA with the 76-byte OPENFILENAMEA (the form without
// the fields added in Windows 2000), filled from the program's request.
#include <windows.h>
#include <commdlg.h>

#include <cstddef>
#include <cstring>

#include "platform/platform.h"

namespace platform {

// OPENFILENAME_SIZE_VERSION_400A: the record up to and including lpTemplateName. The product
// is the 32-bit build, where it is 76 bytes; the 64-bit build's pointers and their padding
// make it 136.
constexpr std::size_t kOlderDialogFormBytes = sizeof(void*) == 4 ? 76 : 136;
static_assert(sizeof(void*) == 4 || sizeof(void*) == 8, "a 32-bit or 64-bit build");
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == kOlderDialogFormBytes,
              "the request of the older dialog form");

int getOpenFileName(OpenFileRequest* request) {
    if (request == nullptr || request->file == nullptr) return 0;
    consoleFlush(); // what was printed before the dialog is seen first

    OPENFILENAMEA dialog;
    std::memset(&dialog, 0, sizeof dialog);
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = nullptr;
    dialog.hInstance = nullptr;
    dialog.lpstrFilter = request->filter;
    dialog.lpstrCustomFilter = nullptr;
    dialog.nFilterIndex = request->filterIndex;
    dialog.lpstrFile = request->file;
    dialog.nMaxFile = request->fileCapacity;
    dialog.lpstrFileTitle = nullptr;
    dialog.lpstrInitialDir = request->initialDir;
    dialog.lpstrTitle = request->title;
    dialog.Flags = request->flags;
    dialog.lpstrDefExt = request->defaultExt;
    return GetOpenFileNameA(&dialog) != 0 ? 1 : 0;
}

std::uint32_t commDlgExtendedError() { return static_cast<std::uint32_t>(CommDlgExtendedError()); }

// Models are dropped on the program, which stands beside them: the dialog starts there.
bool modelDialogStartsInCurrentFolder() { return false; }

} // namespace platform
