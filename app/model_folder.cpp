// The folder part of a model path (see model_folder.h).
#include "app/model_folder.h"

#include <cstring>

#include "io/path.h"

void modelFolderOf(char* out, const char* path) {
    // fileNameOf finds the last backslash or slash, stepping over double-byte characters;
    // the name it gives is a suffix of the path, and what precedes it is the folder.
    char name[kPathBytes];
    fileNameOf(name, path);
    std::size_t folderLength = std::strlen(path) - std::strlen(name);
    std::memcpy(out, path, folderLength);
    out[folderLength] = '\0';
}
