// The file-open dialogs: the request (filters, initial folder and name, title, default
// extension, preselection) is plain code; only showing the dialog is the platform's.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace FileKind {
enum : int { Any = 0, Image = 1, Script = 2, Source = 3, Model = 4 };
}

constexpr int kFilterBytes = 16384;
constexpr int kFilterStopBytes = 16256;

// Everything one dialog call hands to the platform, in storage of its own.
struct OpenDialogRequest {
    char filter[kFilterBytes];
    int filterBytes;            // bytes used, final NUL included
    char initialFolder[260];
    char fileName[260];
    char initialExtension[260];
    char linkExtension[260];      // the default extension taken from the link being repaired
    const char* title;
    const char* defaultExtension; // nullptr for none
    std::uint32_t filterIndex;    // 1-based entry of the matched type's own filter, 0 for none
};

// Fills `request` for `kind` and `initialPath`; `titled` selects openFileDialogTitled's
// title and preselection rows. Any kind is read by its bits, so this always returns 0.
int prepareOpenDialog(OpenDialogRequest* request, int kind, const char* initialPath,
                      const char* title, bool titled);

// A typed name without an extension gets the one of `linkPath` (the link being repaired:
// "png" for "tex\a.png"); a link without one leaves the kind's default.
void expectExtensionOf(OpenDialogRequest* request, const char* linkPath);

// Prints the outcome of a failed or cancelled dialog (code from commDlgExtendedError).
void reportDialogFailure(std::uint32_t code);

// 0 and the chosen path copied into `out` (when given), or -1 (cancelled or failed; `out`
// untouched). `linkPath`, when given, is the link the file is picked for (expectExtensionOf).
int openFileDialogTitled(char* out, int kind, const char* initialPath, const char* title,
                         const char* linkPath = nullptr);
int openFileDialog(char* out, int kind, const char* initialPath);
// openFileDialogTitled offering the file `offered` (a full path): the dialog starts in its folder
// with its name filled in and the filter of its type chosen; a name the user types on POSIX's
// console prompt is still taken relative to `baseFolder`, where the prompt shows the offer from.
int openFileDialogOffering(char* out, int kind, const char* baseFolder, const char* offered, const char* title,
                           const char* linkPath = nullptr);
