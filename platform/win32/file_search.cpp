// Win32 file search: FindFirstFileA / FindNextFileA / FindClose, with the system's search
// handles kept in a small fixed table and handed out as its indices.
#include <windows.h>

#include <cstring>

#include "platform/platform.h"

namespace platform {
namespace {

// The program holds one search at a time; a few spare slots cost nothing.
constexpr int kOpenSearches = 8;
HANDLE gSearches[kOpenSearches] = {};
bool gSearchInUse[kOpenSearches] = {};

void fillEntry(const WIN32_FIND_DATAA& data, FindEntry* entry) {
    // cFileName holds MAX_PATH (260) bytes, terminator included, as does entry->name.
    static_assert(sizeof data.cFileName <= kFindNameBytes, "a stored name fits the entry");
    std::memcpy(entry->name, data.cFileName, sizeof data.cFileName);
    entry->name[kFindNameBytes - 1] = '\0';
    entry->isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
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

    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(path, &data);
    if (search == INVALID_HANDLE_VALUE) return -1;
    gSearches[slot] = search;
    gSearchInUse[slot] = true;
    fillEntry(data, entry);
    return slot;
}

int findNext(int handle, FindEntry* entry) {
    if (!validHandle(handle) || entry == nullptr) return -1;
    WIN32_FIND_DATAA data;
    if (!FindNextFileA(gSearches[handle], &data)) return -1;
    fillEntry(data, entry);
    return 0;
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
