#include "entrypacking.h"

#include <cstring>
#include <numeric>
#include <utility>

#include "atlasgrowth.h"
#include "atlasimage.h"
#include "entrycell.h"
#include "exceptions.h"

namespace {

std::uint64_t areaOf(const NewEntryImage& image) { return std::uint64_t{image.width} * image.height; }

// Quicksort of `order` by descending area. Where images of equal area end up
// depends on this exact partitioning, and with it where they are placed, so it
// must not be swapped for another sort.
void sortByDescendingArea(std::vector<std::size_t>& order, const std::vector<NewEntryImage>& images, std::ptrdiff_t lo,
                          std::ptrdiff_t hi) {
    const auto area = [&](std::ptrdiff_t at) { return areaOf(images[order[static_cast<std::size_t>(at)]]); };
    for (;;) {
        const std::uint64_t pivot = area((lo + hi) / 2);
        std::ptrdiff_t i = lo;
        std::ptrdiff_t j = hi;
        for (;;) {
            while (area(i) > pivot) {
                ++i;
            }
            while (area(j) < pivot) {
                --j;
            }
            if (i > j) {
                break;
            }
            std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(j)]);
            ++i;
            --j;
            if (i > j) {
                break;
            }
        }
        if (lo < j) {
            sortByDescendingArea(order, images, lo, j);
        }
        if (i >= hi) {
            return;
        }
        lo = i;
    }
}

// Repeats the image's edge pixels in the one-pixel ring of its cell, corners
// included, working on the scan lines directly. Atlas row r is scan line
// height - 1 - r, so one row down is one pitch back.
void fillBorder(FIBITMAP* atlas, const AtlasRect& cell) {
    const std::size_t pixelSize = 4;
    const std::size_t pitch = FreeImage_GetPitch(atlas);
    const std::uint32_t atlasHeight = FreeImage_GetHeight(atlas);
    const std::uint32_t imageHeight = cell.height - 2;
    const std::size_t leftBorder = std::size_t{cell.x} * pixelSize;
    const std::size_t rightBorder = leftBorder + std::size_t{cell.width - 1} * pixelSize;
    const std::size_t cellBytes = std::size_t{cell.width} * pixelSize;

    BYTE* const firstImageRow = FreeImage_GetScanLine(atlas, static_cast<int>(atlasHeight - 2 - cell.y));
    BYTE* row = firstImageRow;
    for (std::uint32_t r = 0; r < imageHeight; ++r) {
        std::memcpy(row + leftBorder, row + leftBorder + pixelSize, pixelSize);
        std::memcpy(row + rightBorder, row + rightBorder - pixelSize, pixelSize);
        if (r + 1 < imageHeight) {
            row -= pitch;
        }
    }
    BYTE* const lastImageRow = row;
    std::memcpy(firstImageRow + pitch + leftBorder, firstImageRow + leftBorder, cellBytes);
    std::memcpy(lastImageRow - pitch + leftBorder, lastImageRow + leftBorder, cellBytes);
}

}  // namespace

std::vector<std::size_t> placementOrder(const std::vector<NewEntryImage>& images) {
    std::vector<std::size_t> order(images.size());
    std::iota(order.begin(), order.end(), 0);
    if (!images.empty()) {
        sortByDescendingArea(order, images, 0, static_cast<std::ptrdiff_t>(images.size()) - 1);
    }
    return order;
}

std::vector<PlacedEntry> insertImages(AtlasDocument& document, std::vector<NewEntryImage> images) {
    const std::vector<std::size_t> order = placementOrder(images);
    return packImages(document, reordered(images, order));
}

// Everything that can fail, memory included, is done before the document
// changes: choosing the cells (growing free space and the atlas), freeing the
// cells of the entries that are replaced, and making the new table entries
// and the list of what was placed. Then the pixels move and the table
// changes, which cannot fail. The result is what placing, replacing and
// entering the images one by one gives.
std::vector<PlacedEntry> packImages(AtlasDocument& document, const std::vector<NewEntryImage>& images) {
    // Cells are chosen on rectangles alone, growing the free space as needed;
    // the pixels move only once every cell is known, so the old atlas is
    // copied once, into the last enlarged bitmap.
    FreeSpaceMap& freeSpace = document.freeSpace;
    std::vector<AtlasRect> cells;
    cells.reserve(images.size());
    std::uint32_t width = FreeImage_GetWidth(document.bitmap.get());
    std::uint32_t height = FreeImage_GetHeight(document.bitmap.get());
    FreeSpaceMap snapshot = freeSpace;
    UniqueBitmap enlarged;
    std::vector<PlacedEntry> placed;
    std::vector<AtlasRect> freedCells;           // in the order they are freed
    std::vector<EntryTable::iterator> replaced;  // entries of the table that go
    EntryTable added;                            // the new entries, the last of a name winning
    try {
        // Each size the atlas grows to is allocated at once, so that one that
        // cannot be had stops the insertion before any pixel moves.
        const auto allocateGrown = [&enlarged](std::uint32_t grownWidth, std::uint32_t grownHeight) {
            enlarged.reset();
            enlarged = allocateBitmap(grownWidth, grownHeight);
            if (!enlarged) {
                THROW_AT_SITE(Exception, "Unable to expand bitmap");
            }
        };
        for (const NewEntryImage& image : images) {
            AtlasRect cell = cellOfSize(image.width, image.height);
            if (!placeGrowing(freeSpace, cell, width, height, allocateGrown)) {
                THROW_AT_SITE(Exception,
                              "Unable to expand bitmap: " + describeImage(image.name, image.width, image.height) +
                                  " does not fit beside the other entries in the largest atlas (" + atlasLimitsText +
                                  ")",
                              image.source);
            }
            cells.push_back(cell);
        }
        if (enlarged && !FreeImage_Paste(enlarged.get(), document.bitmap.get(), 0, 0, pasteExactly)) {
            THROW_AT_SITE(Exception, "Unable to expand bitmap");
        }
        // Image k replaces the entry its name has when its turn comes: one of
        // the table, or an image of the same name placed before it.
        placed.reserve(images.size());
        for (std::size_t k = 0; k < images.size(); ++k) {
            const NewEntryImage& image = images[k];
            const AtlasEntry entry = entryInCell(cells[k], image.flag);
            const auto earlier = added.find(image.name);
            const auto existing = document.entries.find(image.name);
            placed.push_back(
                PlacedEntry{image.name, entry, earlier != added.end() || existing != document.entries.end()});
            if (earlier != added.end()) {
                freedCells.push_back(cellOf(earlier->second));
                earlier->second = entry;
                continue;
            }
            if (existing != document.entries.end()) {
                freedCells.push_back(cellOf(existing->second));
                replaced.push_back(existing);
            }
            added.emplace(image.name, entry);
        }
        for (const AtlasRect& cell : freedCells) {
            freeSpace.addFree(cell.x, cell.y, cell.width, cell.height);
        }
    } catch (...) {
        freeSpace.swap(snapshot);
        throw;
    }
    if (enlarged) {
        document.replaceBitmap(std::move(enlarged));
    }

    FIBITMAP* const atlas = document.bitmap.get();
    for (std::size_t k = 0; k < images.size(); ++k) {
        // An entry of zero width or height has no pixels and no border to repeat.
        if (images[k].pixels) {
            document.pixelsChanging(cells[k]);
            FreeImage_Paste(atlas, images[k].pixels.get(), static_cast<int>(placed[k].entry.x),
                            static_cast<int>(placed[k].entry.y), pasteExactly);
            fillBorder(atlas, cells[k]);
        }
    }
    // A cell freed here never holds a later image (each was placed while the
    // cells before it were taken), so clearing after pasting gives the pixels
    // that replacing one by one gives.
    for (const AtlasRect& cell : freedCells) {
        document.pixelsChanging(cell);
        clearCell(atlas, cell.x, cell.y, cell.width, cell.height);
    }
    for (const auto entry : replaced) {
        document.eraseEntry(entry);
    }
    // Moving nodes between tables allocates nothing.
    while (!added.empty()) {
        document.entryAdded(document.entries.insert(added.extract(added.begin())).position->first);
    }
    document.modified = FilePair::ImageModified | FilePair::IndexModified;
    return placed;
}
