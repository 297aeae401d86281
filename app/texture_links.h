// The texture-link check and repair: every texture and sphere-map path of the model is probed
// relative to the model's folder; broken ones are renewed by a folder substitution learned earlier
// in the run or by a file the user picks, and stored relative to the model's folder.
#pragma once

#include "io/path.h"
#include "pmx/model.h"

constexpr int kFolderRemapCapacity = 1024;

// One learned substitution: a texture path's folder as a model names it, and the folder
// (relative to the model's folder) where the user found that file.
struct FolderRemap {
    char oldFolder[kTexturePathBytes];
    char newFolder[kTexturePathBytes];
};

struct FolderRemapTable {
    FolderRemap entries[kFolderRemapCapacity];
    int count;
};

// Lives for the whole run: what one model taught serves the later ones.
extern FolderRemapTable gFolderRemaps;

void clearFolderRemaps();

// What a link comes to. MMD supplies toon01.bmp ... toon10.bmp from a shared folder of its own
// when the model's folder lacks them, so such a link (that whole text, any case) is no broken one.
enum class LinkVerdict { Present, SharedToon, Broken };
bool isSharedToonName(const char* texturePath);
// Texture k of the model read last, probed relative to the model's folder.
LinkVerdict linkVerdict(int k);

// What a repair would do for a broken link without the user: before any pick of the run there
// is no substitution learned, so the user must pick the file.
enum class LinkRepair { None, NeedsPick };

struct LinkResult {
    LinkVerdict verdict;
    LinkRepair repair;
    char candidate[kPathBytes]; // a file found for a broken link (empty: none found)
};

// The results for the kept textures of the model read last, in texture order.
extern LinkResult gLinkResults[kTextureCapacity];

// Probes every texture the model kept into gLinkResults; returns the number of broken links.
int checkLinks();
// checkLinks, then lists the results, and says how many links it could not keep; returns the
// number of broken links.
int checkTextureLinks();
// Asks whether to repair `brokenCount` links. Returns 1 (Yes), 0 (No), -1 (Cancel).
int confirmTextureRepair(const char* modelPath, int brokenCount);
// Renews every broken entry. 0 when all were renewed; -1 when the run ends (a cancelled
// prompt or dialog, or a picked file that cannot be opened).
int repairTextureLinks();
