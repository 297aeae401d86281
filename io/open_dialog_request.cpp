// Preparing a file-open dialog: the filter list of a file kind, the initial folder, name and
// extension from the caller's path, the title, the default extension and the preselected
// filter. Plain string work; showing the dialog is open_dialog.cpp's.
#include <cstring>

#include "io/open_dialog.h"
#include "io/path.h"

namespace {

enum FilterEntry : int {
    kModelEntry, kScriptEntry, kTextEntry, kIniEntry,
    kImageEntry, kBmpEntry, kPngEntry, kPsdEntry, kJpegEntry, kGifEntry, kAviEntry,
    kAllFilesEntry, kFilterEntryCount,
    kNoOwnEntry = -1, // a type without a filter of its own: the all-files entry is selected
};

struct FilterRow {
    const char* description;
    const char* patterns;
};

// Indexed by FilterEntry; the descriptions have two blanks before the parenthesis.
const FilterRow kFilterRows[kFilterEntryCount] = {
    {"MMD Model File  (*.pmx)", "*.PMX"},
    {"Script Files  (*.txt;*.ini;*.dmk)", "*.TXT;*.INI;*.DMK"},
    {"Text Files  (*.txt)", "*.TXT"},
    {"INI Files  (*.ini)", "*.INI"},
    {"Image Files  (*.bmp;*.gif;*.avi;*.png;*.psd;*.jpg;*.jpe)",
     "*.BMP;*.GIF;*.AVI;*.PNG;*.PSD;*.JPG;*.JPE"},
    {"BMP Files  (*.bmp)", "*.BMP"},
    {"PNG Files  (*.png)", "*.PNG"},
    {"PSD Files  (*.psd)", "*.PSD"},
    {"JPEG Files  (*.jpg;*.jpe)", "*.JPG;*.JPE"},
    {"GIF Files  (*.gif)", "*.GIF"},
    {"AVI Files  (*.avi)", "*.AVI"},
    {"All Files  (*.*)", "*.*"},
};

constexpr int kGroupEntriesMax = 7;

struct FilterGroup {
    int count;
    FilterEntry entries[kGroupEntriesMax];
};

const FilterGroup kModelGroup = {1, {kModelEntry}};
const FilterGroup kScriptGroup = {3, {kScriptEntry, kTextEntry, kIniEntry}};
const FilterGroup kImageGroup = {
    7, {kImageEntry, kBmpEntry, kPngEntry, kPsdEntry, kJpegEntry, kGifEntry, kAviEntry}};
const FilterGroup kAllFilesGroup = {1, {kAllFilesEntry}};

// One extension compared with the initial extension, the default extension it sets and the
// filter entry of that type.
struct PreselectRow {
    const char* extension;
    const char* defaultExtension;
    FilterEntry entry;
};

constexpr int kPreselectRowsMax = 10;

struct PreselectTable {
    int count;
    PreselectRow rows[kPreselectRowsMax];
};

const PreselectTable kNoPreselection = {0, {}};
const PreselectTable kImageTitledRows = {6, {
    {".BMP", "bmp", kBmpEntry}, {".PNG", "png", kPngEntry}, {".PSD", "psd", kPsdEntry},
    {".JPG", "jpg", kJpegEntry}, {".GIF", "gif", kGifEntry}, {".AVI", "avi", kAviEntry}}};
const PreselectTable kImageUntitledRows = {10, {
    {".BMP", "bmp", kBmpEntry}, {".PNG", "png", kPngEntry}, {".TGA", "tga", kNoOwnEntry},
    {".JPG", "jpg", kJpegEntry}, {".JPE", "jpe", kJpegEntry}, {".SPH", "sph", kNoOwnEntry},
    {".SPA", "spa", kNoOwnEntry}, {".GIF", "gif", kGifEntry}, {".TIF", "tif", kNoOwnEntry},
    {".HDR", "hdr", kNoOwnEntry}}};
const PreselectTable kScriptRows = {2, {{".TXT", "txt", kTextEntry}, {".INI", "ini", kIniEntry}}};
const PreselectTable kSourceRows = {8, {
    {".TXT", "txt", kTextEntry}, {".INI", "ini", kIniEntry}, {".BMP", "bmp", kBmpEntry},
    {".PNG", "png", kPngEntry}, {".PSD", "psd", kPsdEntry}, {".JPG", "jpg", kJpegEntry},
    {".GIF", "gif", kGifEntry}, {".AVI", "avi", kAviEntry}}};
const PreselectTable kModelRows = {1, {{".PMX", "pmx", kModelEntry}}};

constexpr int kGroupsMax = 3;

// What a kind asks for. The kind is a bit set: bit 1 the script group, bit 0 the image group
// (kinds up to 3), and kind 4 the model group; every list ends with the all-files entry.
struct KindRow {
    int groupCount;
    const FilterGroup* groups[kGroupsMax];
    const char* title;
    const char* defaultExtension;
    const PreselectTable* titledRows;
    const PreselectTable* untitledRows;
};

KindRow kindRow(int kind) {
    KindRow row{0, {}, "Open File", nullptr, &kNoPreselection, &kNoPreselection};
    if (kind == FileKind::Model) {
        row.groups[row.groupCount++] = &kModelGroup;
    } else if (kind <= 3) {
        if ((kind & 2) != 0) row.groups[row.groupCount++] = &kScriptGroup;
        if ((kind & 1) != 0) row.groups[row.groupCount++] = &kImageGroup;
    }
    row.groups[row.groupCount++] = &kAllFilesGroup;

    // Title and default extension: kind 4 first, then the low two bits; what is left keeps
    // "Open File", and only kind 0 gets "txt" with it.
    if (kind == FileKind::Model) {
        row.title = "Open MMD Model File";
        row.defaultExtension = "pmx";
    } else if ((kind & 3) == 3) {
        row.title = "Open Source File";
    } else if ((kind & 3) == 1) {
        row.title = "Open Image File";
        row.defaultExtension = "bmp";
    } else if ((kind & 3) == 2) {
        row.title = "Open Script File";
        row.defaultExtension = "txt";
    } else if (kind == FileKind::Any) {
        row.defaultExtension = "txt";
    }

    // Preselection rows exist for the named kinds only.
    if (kind == FileKind::Image) {
        row.titledRows = &kImageTitledRows;
        row.untitledRows = &kImageUntitledRows;
    } else if (kind == FileKind::Script) {
        row.titledRows = row.untitledRows = &kScriptRows;
    } else if (kind == FileKind::Source) {
        row.titledRows = row.untitledRows = &kSourceRows;
    } else if (kind == FileKind::Model) {
        row.titledRows = row.untitledRows = &kModelRows;
    }
    return row;
}

// Appends `text` and its terminator at the request's end of filter.
void appendFilterText(OpenDialogRequest* request, const char* text) {
    std::size_t length = std::strlen(text) + 1;
    std::memcpy(request->filter + request->filterBytes, text, length);
    request->filterBytes += static_cast<int>(length);
}

// Description NUL pattern NUL for each entry, one more NUL after the last.
void buildFilter(OpenDialogRequest* request, const KindRow& kind) {
    request->filterBytes = 0;
    for (int g = 0; g < kind.groupCount; ++g) {
        for (int e = 0; e < kind.groups[g]->count; ++e) {
            if (request->filterBytes >= kFilterStopBytes) break;
            const FilterRow& row = kFilterRows[kind.groups[g]->entries[e]];
            appendFilterText(request, row.description);
            appendFilterText(request, row.patterns);
        }
    }
    request->filter[request->filterBytes++] = '\0';
}

// Position of `entry` in the kind's filter list, counted from 1; 0 when it is not there.
std::uint32_t filterNumber(const KindRow& kind, FilterEntry entry) {
    std::uint32_t number = 0;
    for (int g = 0; g < kind.groupCount; ++g) {
        for (int e = 0; e < kind.groups[g]->count; ++e) {
            ++number;
            if (kind.groups[g]->entries[e] == entry) return number;
        }
    }
    return 0;
}

} // namespace

int prepareOpenDialog(OpenDialogRequest* request, int kind, const char* initialPath,
                      const char* title, bool titled) {
    const KindRow row = kindRow(kind);

    // The caller's path is at most 259 bytes; a longer one is cut rather than overrun the
    // 260-byte buffers below.
    char path[kPathBytes];
    copyPathBounded(path, sizeof path, initialPath != nullptr ? initialPath : "");
    folderOf(request->initialFolder, path);
    trimTrailingSeparator(request->initialFolder);
    fileNameOf(request->fileName, path);
    extensionOf(request->initialExtension, path);

    buildFilter(request, row);
    request->title = (titled && title != nullptr && title[0] != '\0') ? title : row.title;
    request->defaultExtension = row.defaultExtension;
    request->filterIndex = 0;

    // Every row is compared; the last one that matches wins.
    const PreselectTable& table = titled ? *row.titledRows : *row.untitledRows;
    for (int i = 0; i < table.count; ++i) {
        const PreselectRow& pre = table.rows[i];
        if (startsWithNoCase(request->initialExtension, pre.extension) != 0) continue;
        request->defaultExtension = pre.defaultExtension;
        request->filterIndex =
            filterNumber(row, pre.entry == kNoOwnEntry ? kAllFilesEntry : pre.entry);
    }
    return 0;
}

void expectExtensionOf(OpenDialogRequest* request, const char* linkPath) {
    char path[kPathBytes], name[kPathBytes];
    copyPathBounded(path, sizeof path, linkPath);
    fileNameOf(name, path);
    extensionOf(request->linkExtension, name);
    // The extension without its dot, as the dialog takes it; a name ending in a dot has none.
    if (request->linkExtension[0] == '.' && request->linkExtension[1] != '\0')
        request->defaultExtension = request->linkExtension + 1;
}
