// The texture-link check and repair: every texture and sphere-map path of the model is probed
// relative to the model's folder; broken ones are renewed by a folder substitution learned earlier
// in the run or by a file the user picks, and stored relative to the model's folder.
#pragma once

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

// Probes and lists every texture the model kept, and says how many it could not keep; returns
// the number of broken links.
int checkTextureLinks();
// Asks whether to repair `brokenCount` links. Returns 1 (Yes), 0 (No), -1 (Cancel).
int confirmTextureRepair(const char* modelPath, int brokenCount);
// Renews every broken entry. 0 when all were renewed; -1 when the run ends (a cancelled
// prompt or dialog, or a picked file that cannot be opened).
int repairTextureLinks();
