#include "filepairstate.h"

#include <cstddef>
#include <cstring>
#include <utility>

#include "atlasgrowth.h"
#include "atlasimage.h"
#include "entryname.h"
#include "exceptions.h"

namespace {

std::uint64_t areaOf(const UniqueBitmap& bitmap) {
    return std::uint64_t{FreeImage_GetWidth(bitmap.get())} * FreeImage_GetHeight(bitmap.get());
}

// Quicksort by descending area, moving paths and bitmaps together. Where
// images of equal area end up depends on this exact partitioning, and with it
// where they are placed, so it must not be swapped for another sort.
void sortByDescendingArea(std::vector<std::string>& paths, std::vector<UniqueBitmap>& bitmaps,
                          std::ptrdiff_t lo, std::ptrdiff_t hi) {
    for (;;) {
        const std::uint64_t pivot = areaOf(bitmaps[static_cast<std::size_t>((lo + hi) / 2)]);
        std::ptrdiff_t i = lo;
        std::ptrdiff_t j = hi;
        for (;;) {
            while (areaOf(bitmaps[static_cast<std::size_t>(i)]) > pivot) {
                ++i;
            }
            while (areaOf(bitmaps[static_cast<std::size_t>(j)]) < pivot) {
                --j;
            }
            if (i > j) {
                break;
            }
            std::swap(paths[static_cast<std::size_t>(i)], paths[static_cast<std::size_t>(j)]);
            std::swap(bitmaps[static_cast<std::size_t>(i)], bitmaps[static_cast<std::size_t>(j)]);
            ++i;
            --j;
            if (i > j) {
                break;
            }
        }
        if (lo < j) {
            sortByDescendingArea(paths, bitmaps, lo, j);
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

} // namespace

void FilePair::State::insertFiles(std::vector<std::string>& paths) {
    if (paths.empty()) {
        return;
    }

    std::vector<UniqueBitmap> loaded;
    loaded.reserve(paths.size());
    for (const std::string& path : paths) {
        loaded.push_back(loadImage(path));
    }
    sortByDescendingArea(paths, loaded, 0, static_cast<std::ptrdiff_t>(paths.size()) - 1);

    std::vector<std::string> names;
    names.reserve(paths.size());
    for (const std::string& path : paths) {
        names.push_back(entryNameFromPath(path));
    }

    // Cells are chosen on rectangles alone, growing the free space as needed;
    // the pixels move only once every cell is known, so the old atlas is
    // copied once, into the last enlarged bitmap.
    std::vector<AtlasRect> cells;
    cells.reserve(paths.size());
    std::uint32_t width = FreeImage_GetWidth(bitmap.get());
    std::uint32_t height = FreeImage_GetHeight(bitmap.get());
    FreeSpaceMap snapshot = freeSpace;
    UniqueBitmap enlarged;
    try {
        for (const UniqueBitmap& image : loaded) {
            // Loaded images are at most INT_MAX wide and high: the +2 cannot wrap.
            AtlasRect cell{0, 0, FreeImage_GetWidth(image.get()) + 2, FreeImage_GetHeight(image.get()) + 2};
            while (!freeSpace.place(cell)) {
                enlarged.reset();
                if (growFreeSpace(freeSpace, width, height)) {
                    enlarged = allocateBitmap(width, height);
                }
                if (!enlarged) {
                    THROW_AT_SITE(Exception, "Unable to expand bitmap");
                }
            }
            cells.push_back(cell);
        }
        if (enlarged && !FreeImage_Paste(enlarged.get(), bitmap.get(), 0, 0, pasteExactly)) {
            THROW_AT_SITE(Exception, "Unable to expand bitmap");
        }
    } catch (...) {
        freeSpace.swap(snapshot);
        throw;
    }
    if (enlarged) {
        bitmap = std::move(enlarged);
    }

    for (std::size_t k = 0; k < loaded.size(); ++k) {
        const AtlasRect& cell = cells[k];
        const auto existing = entries.find(names[k]);
        if (existing != entries.end()) {
            removeEntry(existing);
        }
        FreeImage_Paste(bitmap.get(), loaded[k].get(), static_cast<int>(cell.x + 1), static_cast<int>(cell.y + 1),
                        pasteExactly);
        fillBorder(bitmap.get(), cell);
        entries.emplace(names[k], AtlasEntry{cell.x + 1, cell.y + 1, cell.width - 2, cell.height - 2, 1});
    }
    modified = ImageModified | IndexModified;
}
