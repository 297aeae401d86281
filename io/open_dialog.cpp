// The two entry points of the file-open dialog: prepare the request, show the dialog through
// the platform, and hand back the chosen path or report the cancel or failure.
#include "io/open_dialog.h"

#include "io/path.h"
#include "platform/platform.h"

namespace {

int runOpenDialog(char* out, int kind, const char* initialPath, const char* title, bool titled,
                  const char* typedBase = nullptr, const char* linkPath = nullptr) {
    // Working storage of this call only (about 17 KB, on the stack, released on return).
    OpenDialogRequest prepared;
    if (prepareOpenDialog(&prepared, kind, initialPath, title, titled) != 0) return -1;
    if (linkPath != nullptr) expectExtensionOf(&prepared, linkPath);

    platform::OpenFileRequest request;
    request.filter = prepared.filter;
    request.filterIndex = prepared.filterIndex;
    request.file = prepared.fileName;
    request.fileCapacity = sizeof prepared.fileName;
    request.initialDir = prepared.initialFolder[0] != '\0' ? prepared.initialFolder : nullptr;
    request.title = prepared.title;
    request.flags = platform::kOfnPathMustExist | platform::kOfnFileMustExist;
    request.defaultExt = prepared.defaultExtension;
    request.typedBase = typedBase;

    if (platform::getOpenFileName(&request) != 0) {
        if (out != nullptr) copyPathBounded(out, kPathBytes, prepared.fileName);
        return 0;
    }
    reportDialogFailure(platform::commDlgExtendedError());
    return -1;
}

} // namespace

int openFileDialogTitled(char* out, int kind, const char* initialPath, const char* title, const char* linkPath) {
    return runOpenDialog(out, kind, initialPath, title, true, nullptr, linkPath);
}

int openFileDialog(char* out, int kind, const char* initialPath) {
    return runOpenDialog(out, kind, initialPath, nullptr, false);
}

int openFileDialogOffering(char* out, int kind, const char* baseFolder, const char* offered, const char* title,
                           const char* linkPath) {
    return runOpenDialog(out, kind, offered, title, true, baseFolder, linkPath);
}
