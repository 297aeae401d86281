// Win32 file search: FindFirstFileW / FindNextFileW / FindClose, with the system's search
// handles kept in a small fixed table and handed out as its indices. Paths and names cross in
// UTF-16, so a name of any script is found and given back whole.
#include <windows.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/win32/wide_names.h"

namespace platform {
namespace {

// The program holds one search at a time; a few spare slots cost nothing.
constexpr int kOpenSearches = 8;
HANDLE gSearches[kOpenSearches] = {};
bool gSearchInUse[kOpenSearches] = {};

// 0, or -1 when the stored name does not fit an entry (a cut name would be another name).
int fillEntry(const WIN32_FIND_DATAW& data, FindEntry* entry) {
    if (win32::fromWide(data.cFileName, entry->name, sizeof entry->name) != 0) return -1;
    entry->isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return 0;
}

bool validHandle(int handle) {
    return handle >= 0 && handle < kOpenSearches && gSearchInUse[handle];
}

} // namespace

int findFirst(const char* path, FindEntry* entry) {
    if (path == nullptr || entry == nullptr) return -1;
    int slot = 0;
    while (slot < kOpenSearches && gSearchInUse[slot]) ++slot;
    if (slot == kOpenSearches) return -1;

    static wchar_t wide[win32::kWidePathUnits];
    if (win32::toWide(path, wide, win32::kWidePathUnits) != 0) return -1;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(wide, &data);
    if (search == INVALID_HANDLE_VALUE) return -1;
    if (fillEntry(data, entry) != 0) {
        FindClose(search);
        return -1;
    }
    gSearches[slot] = search;
    gSearchInUse[slot] = true;
    return slot;
}

int findNext(int handle, FindEntry* entry) {
    if (!validHandle(handle) || entry == nullptr) return -1;
    WIN32_FIND_DATAW data;
    if (!FindNextFileW(gSearches[handle], &data)) return -1;
    return fillEntry(data, entry);
}

void findClose(int handle) {
    if (!validHandle(handle)) return;
    FindClose(gSearches[handle]);
    gSearches[handle] = nullptr;
    gSearchInUse[handle] = false;
}

// The system searches each folder itself: no listing is kept here.
void forgetFolderListings() {}

} // namespace platform
