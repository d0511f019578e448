// What a FilePair owns: the atlas, its entries and free space, its names and
// history. The operations on it live beside it, one to a file: insertion
// (insertfiles.h), packing (entrypacking.h), compaction (compactatlas.h) and
// replay (historyreplay.h); FilePair (filepair.cpp) puts them together.
#pragma once

#include <cstdint>
#include <string>

#include "atlashistory.h"
#include "bitmap.h"
#include "filepair.h"
#include "freespacemap.h"

struct AtlasDocument {
    // Opens an existing pair: the image first, then the index.
    AtlasDocument(const std::string& indexFileName, const std::string& imageFileName);
    // An untitled document with a transparent black atlas; throws "Unable to
    // create bitmap" when it cannot be had.
    AtlasDocument(std::int32_t width, std::int32_t height);

    const AtlasEntry* selected = nullptr;
    std::string indexFileName;
    std::string imageFileName;
    FreeSpaceMap freeSpace;
    UniqueBitmap bitmap;  // always 32 bits per pixel
    std::uint32_t modified = 0;
    EntryTable entries;
    AtlasHistory history;
    StepRecording* recording = nullptr;  // the operation being recorded, if any

    // Takes the entry out of the table, keeping the selection valid.
    void eraseEntry(EntryTable::iterator entry);

    // What the history must hear of a change, besides the changes of free
    // space, which the map notes itself.
    void pixelsChanging(const AtlasRect& cell);  // before the cell's pixels change
    void entryAdded(const std::string& name);
    void replaceBitmap(UniqueBitmap replacement);
    // Exchanges atlas, entries and free space with those of `other`.
    void replaceContents(AtlasDocument& other);
};
