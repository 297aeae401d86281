// The pieces of the PMX writer shared between its files. Internal to pmx/.
#pragma once

// Writes the texture block in place of the source's, which starts at the read position: the
// count and every entry as they stand, except the renewed entries, re-encoded from
// correctedTexturePaths. 0, or -1 after a failure (message printed where one is due).
int writeTextureBlock();
