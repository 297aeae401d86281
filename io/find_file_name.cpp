// Asking the file system for a file's name as stored on disk (letter case included), which
// also tells whether a file of that name exists; folders do not count.
#include "io/path.h"
#include "platform/platform.h"

int findFileName(char* out, const char* path) {
    out[0] = '\0';
    platform::FindEntry entry;
    int handle = platform::findFirst(path, &entry);
    if (handle < 0) return -1;
    // Only the first two matches are looked at: a path without wildcards names one entry.
    if (entry.isFolder) {
        int result = 0;
        if (platform::findNext(handle, &entry) != 0) result = -1;
        else if (entry.isFolder) result = -2;
        if (result != 0) {
            platform::findClose(handle);
            return result;
        }
    }
    entry.name[platform::kFindNameBytes - 1] = '\0';
    copyPathBounded(out, kPathBytes, entry.name);
    platform::findClose(handle);
    return 0;
}
