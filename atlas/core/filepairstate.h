// What a FilePair owns. Shared by the sources that implement FilePair only.
#pragma once

#include "bitmap.h"
#include "filepair.h"
#include "freespacemap.h"

// An image on its way into the atlas as the entry `name`. `pixels` is null
// for an entry of zero width or height, which has none.
struct NewEntryImage {
    std::string name;
    UniqueBitmap pixels;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t flag = 1;
};

struct FilePair::State {
    const AtlasEntry* selected = nullptr;
    std::string indexFileName;
    std::string imageFileName;
    FreeSpaceMap freeSpace;
    UniqueBitmap bitmap;  // always 32 bits per pixel
    std::uint32_t modified = 0;
    EntryTable entries;

    void insertFiles(std::vector<std::string>& paths);
    // Places the images largest area first, growing the atlas as needed, and
    // enters them as insertFiles does; on failure nothing has changed.
    void insertImages(std::vector<NewEntryImage> images);
    // The same for images already in placement order.
    void packImages(const std::vector<NewEntryImage>& images);

    // Takes the entry out of the table, keeping the selection valid.
    void eraseEntry(EntryTable::iterator entry);
};

// An entry's cell: its rectangle and the one-pixel border around it.
AtlasRect cellOf(const AtlasEntry& entry);
