// What a FilePair owns. Shared by the sources that implement FilePair only.
#pragma once

#include "atlashistory.h"
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
    std::string source;  // the file it comes from; empty for an entry moved within the atlas
};

// Indices of the images in the order insertion places them: largest area
// first, images of equal area as insertion's own quicksort leaves them.
std::vector<std::size_t> placementOrder(const std::vector<NewEntryImage>& images);

struct FilePair::State {
    const AtlasEntry* selected = nullptr;
    std::string indexFileName;
    std::string imageFileName;
    FreeSpaceMap freeSpace;
    UniqueBitmap bitmap;  // always 32 bits per pixel
    std::uint32_t modified = 0;
    EntryTable entries;
    AtlasHistory history;
    StepRecording* recording = nullptr;  // the operation being recorded, if any

    void insertFiles(std::vector<std::string>& paths);
    std::vector<SkippedFile> insertNamedFiles(std::vector<ImageFileToInsert>& files);
    // Places the images largest area first, growing the atlas as needed, and
    // enters them as insertFiles does; on failure nothing has changed.
    void insertImages(std::vector<NewEntryImage> images);
    // The same for images already in placement order.
    void packImages(const std::vector<NewEntryImage>& images);

    // Takes the entry out of the table, keeping the selection valid.
    void eraseEntry(EntryTable::iterator entry);

    // What the history must hear of a change, besides the changes of free
    // space, which the map notes itself (filepairhistory.cpp).
    void pixelsChanging(const AtlasRect& cell);  // before the cell's pixels change
    void entryAdded(const std::string& name);
    void replaceBitmap(UniqueBitmap replacement);
    // Exchanges atlas, entries and free space with those of `other`.
    void replaceContents(State& other);

    EntryNameChanges replayStep(Replay direction);
};

// An entry's cell: its rectangle and the one-pixel border around it.
AtlasRect cellOf(const AtlasEntry& entry);
