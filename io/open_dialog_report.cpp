// The console lines of a file-open dialog that was cancelled or failed: the outcome, the
// code, and the code's name when it is one the dialog documents.
#include <cstdint>

#include "io/open_dialog.h"
#include "platform/console.h"

namespace {

struct CodeName {
    std::uint32_t code;
    const char* line;
};

const CodeName kCodeNames[] = {
    {0x0001, "CDERR_STRUCTSIZE.\n"},
    {0x0002, "CDERR_INITIALIZATION.\n"},
    {0x0003, "CDERR_NOTEMPLATE.\n"},
    {0x0004, "CDERR_NOHINSTANCE.\n"},
    {0x0005, "CDERR_LOADSTRFAILURE.\n"},
    {0x0006, "CDERR_FINDRESFAILURE.\n"},
    {0x0007, "CDERR_LOADRESFAILURE.\n"},
    {0x0008, "CDERR_LOCKRESFAILURE.\n"},
    {0x0009, "CDERR_MEMALLOCFAILURE.\n"},
    {0x000A, "CDERR_MEMLOCKFAILURE.\n"},
    {0x000B, "CDERR_NOHOOK.\n"},
    {0x3001, "FNERR_SUBCLASSFAILURE.\n"},
    {0x3002, "FNERR_INVALIDFILENAME.\n"},
    {0x3003, "FNERR_BUFFERTOOSMALL.\n"},
    {0xFFFF, "CDERR_DIALOGFAILURE.\n"},
};

} // namespace

void reportDialogFailure(std::uint32_t code) {
    if (code == 0) {
        consolePrint("\nCanceled File-Open Dialog Box. ");
    } else {
        // The 0 is the dialog's own result, which is all it returns on this path.
        consolePrint("\nFailed Opening File-Open Dialog Box: %04X ", 0u);
    }
    consolePrint("(stat=%04X).\n", static_cast<unsigned>(code));
    for (const CodeName& name : kCodeNames) {
        if (name.code == code) consolePrint("%s", name.line);
    }
}
