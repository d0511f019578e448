// What a FilePair owns. Shared by the sources that implement FilePair only.
#pragma once

#include "bitmap.h"
#include "filepair.h"
#include "freespacemap.h"

struct FilePair::State {
    const AtlasEntry* selected = nullptr;
    std::string indexFileName;
    std::string imageFileName;
    FreeSpaceMap freeSpace;
    UniqueBitmap bitmap;  // always 32 bits per pixel
    std::uint32_t modified = 0;
    EntryTable entries;

    void insertFiles(std::vector<std::string>& paths);

    // Takes the entry out of the table, keeping the selection valid.
    void eraseEntry(EntryTable::iterator entry);
    // Blanks and frees the entry's cell and erases it.
    void removeEntry(EntryTable::iterator entry);
};
