// Finding the files of broken links (see link_candidates.h). A garbled twin is the link's own file
// under names an unpacking garbled, so it is taken first; the others are searched for by file name
// in one walk of the model's folder, and a name found in several places is the one whose folders
// end as the link's do, or none when that does not single one out.
#include "app/link_candidates.h"

#include <cstring>

#include "app/path_join.h"
#include "app/run_settings.h"
#include "app/texture_links.h"
#include "io/path.h"
#include "platform/platform.h"
#include "pmx/model.h"
#include "text/inside_text.h"

namespace {

// The broken links searched for: their file names (suffixes of their paths), each link's best
// score and whether another hit tied with it.
const char* gSearchNames[kTextureCapacity];
int gSearchLinks[kTextureCapacity];
int gBestScore[kTextureCapacity];
bool gTied[kTextureCapacity];
char gName[kTexturePathBytes];
char gJoined[kPathBytes];
platform::SearchHit gHit;

LinkFound foundAs(platform::Garbling how) {
    switch (how) {
    case platform::Garbling::Cp437: return LinkFound::Cp437;
    case platform::Garbling::Latin1: return LinkFound::Latin1;
    case platform::Garbling::Raw: return LinkFound::Raw;
    case platform::Garbling::Utf8AsSjis: return LinkFound::Utf8AsSjis;
    case platform::Garbling::None: break;
    }
    return LinkFound::None;
}

// `relative` below the model's folder fits a path buffer (else it could not be opened).
bool fitsBelowModel(const char* relative) {
    return joinPath(gJoined, sizeof gJoined, gSettings.modelFolder, relative) == 0;
}

// The garbled twin of link k, when there is one.
bool findTwin(int k) {
    LinkResult& result = gLinkResults[k];
    platform::Garbling how;
    const int got = platform::findGarbledTwin(gSettings.modelFolder, gModel.texturePaths[k], result.candidate,
                                              sizeof result.candidate, &how);
    if (got < 0) {
        result.candidate[0] = '\0';
        return false;
    }
    if (got > 0 || !fitsBelowModel(result.candidate)) result.candidate[0] = '\0';
    result.found = foundAs(how);
    result.repair = LinkRepair::Rename;
    return true;
}

// Where the folders of a path end: the offsets of its backslashes that are characters of their
// own. Their count.
int separatorsOf(const char* path, int* at) {
    int count = 0;
    for (int i = 0; path[i] != '\0'; i += static_cast<int>(insideCharacterBytes(path + i))) {
        if (path[i] == '\\') at[count++] = i;
    }
    return count;
}

bool sameName(const char* a, int aLength, const char* b, int bLength) {
    if (aLength != bLength) return false;
    for (int i = 0; i < aLength;) {
        const int width = static_cast<int>(insideCharacterBytes(a + i));
        if (width > 1) { // a trail byte is no letter
            if (std::memcmp(a + i, b + i, static_cast<std::size_t>(width)) != 0) return false;
            i += width;
            continue;
        }
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 'a' + 'A');
        if (x != y) return false;
        ++i;
    }
    return true;
}

} // namespace

int sharedTrailingFolders(const char* a, const char* b) {
    int aAt[kTexturePathBytes], bAt[kTexturePathBytes];
    int i = separatorsOf(a, aAt), j = separatorsOf(b, bAt);
    int shared = 0;
    // The folder before separator n starts after separator n - 1 (or at the start).
    for (; i > 0 && j > 0; --i, --j, ++shared) {
        const int aStart = i > 1 ? aAt[i - 2] + 1 : 0, bStart = j > 1 ? bAt[j - 2] + 1 : 0;
        if (!sameName(a + aStart, aAt[i - 1] - aStart, b + bStart, bAt[j - 1] - bStart)) break;
    }
    return shared;
}

void findLinkCandidates() {
    int count = 0;
    for (int k = 0; k < gModel.keptTextureCount; ++k) {
        LinkResult& result = gLinkResults[k];
        result.found = LinkFound::None;
        result.candidate[0] = '\0';
        // A path the reader could keep only cut names no file to look for.
        if (result.verdict != LinkVerdict::Broken || gModel.textureTooLong[k] || findTwin(k)) continue;
        const char* path = gModel.texturePaths[k];
        fileNameOf(gName, path);
        if (gName[0] == '\0') continue;
        gSearchNames[count] = path + std::strlen(path) - std::strlen(gName);
        gSearchLinks[count++] = k;
        gBestScore[k] = -1;
        gTied[k] = false;
    }
    if (count == 0) return;
    platform::searchBegin(gSettings.modelFolder, gSearchNames, count);
    while (platform::searchNext(&gHit) == 1) {
        const int k = gSearchLinks[gHit.name];
        if (!fitsBelowModel(gHit.path)) continue;
        const int score = sharedTrailingFolders(gModel.texturePaths[k], gHit.path);
        if (score == gBestScore[k]) gTied[k] = true;
        if (score <= gBestScore[k]) continue;
        gBestScore[k] = score;
        gTied[k] = false;
        joinPath(gLinkResults[k].candidate, sizeof gLinkResults[k].candidate, gHit.path, "");
    }
    for (int i = 0; i < count; ++i) {
        LinkResult& result = gLinkResults[gSearchLinks[i]];
        if (gTied[gSearchLinks[i]]) result.candidate[0] = '\0';
        if (result.candidate[0] != '\0') result.found = LinkFound::Moved;
    }
}
