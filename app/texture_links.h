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
// is no substitution learned, so the user must pick the file (a file found moved is offered at the
// pick); a link whose file exists only under garbled names is offered a rename of those names.
enum class LinkRepair { None, NeedsPick, Rename };

// How the file of a broken link was found (link_candidates.h): moved elsewhere below the model's
// folder, or under its own path with names garbled by an unpacking with the wrong code page.
enum class LinkFound { None, Moved, Cp437, Latin1, Raw, Utf8AsSjis };

struct LinkResult {
    LinkVerdict verdict;
    LinkRepair repair;
    LinkFound found;
    // The file found, relative to the model's folder: what the link would be renewed to. Empty
    // when none was found, or for a garbled name the program cannot give (it can be renamed).
    char candidate[kPathBytes];
};

// The results for the kept textures of the model read last, in texture order.
extern LinkResult gLinkResults[kTextureCapacity];

// Probes every texture the model kept into gLinkResults, and looks for the files of the broken
// ones (link_candidates.h); returns the number of broken links.
int checkLinks();
// checkLinks, then lists the results, and says how many links it could not keep; returns the
// number of broken links.
int checkTextureLinks();
// Asks whether to repair `brokenCount` links. Returns 1 (Yes), 0 (No), -1 (Cancel).
int confirmTextureRepair(const char* modelPath, int brokenCount);
// Renews every broken entry (or, asked first and answered Yes, renames the garbled names its file
// exists under). 0 when all were renewed or renamed; -1 when the run ends (a cancelled question,
// prompt or dialog, or a picked file that cannot be opened).
int repairTextureLinks();
