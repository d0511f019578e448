#include "filepairstate.h"

#include <cstddef>
#include <cstring>
#include <numeric>
#include <utility>

#include "atlasgrowth.h"
#include "atlasimage.h"
#include "entryname.h"
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

template <typename T>
std::vector<T> reordered(std::vector<T>& items, const std::vector<std::size_t>& order) {
    std::vector<T> result;
    result.reserve(items.size());
    for (std::size_t index : order) {
        result.push_back(std::move(items[index]));
    }
    return result;
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

// Indices of the images, largest area first.
std::vector<std::size_t> placementOrder(const std::vector<NewEntryImage>& images) {
    std::vector<std::size_t> order(images.size());
    std::iota(order.begin(), order.end(), 0);
    if (!images.empty()) {
        sortByDescendingArea(order, images, 0, static_cast<std::ptrdiff_t>(images.size()) - 1);
    }
    return order;
}

}  // namespace

void FilePair::State::insertFiles(std::vector<std::string>& paths) {
    if (paths.empty()) {
        return;
    }
    std::vector<NewEntryImage> images;
    images.reserve(paths.size());
    for (const std::string& path : paths) {
        UniqueBitmap pixels = loadImage(path);
        const std::uint32_t width = FreeImage_GetWidth(pixels.get());
        const std::uint32_t height = FreeImage_GetHeight(pixels.get());
        images.push_back(NewEntryImage{entryNameFromPath(path), std::move(pixels), width, height, 1});
    }
    // The caller learns the placement order from its own list.
    const std::vector<std::size_t> order = placementOrder(images);
    paths = reordered(paths, order);
    packImages(reordered(images, order));
}

void FilePair::State::insertImages(std::vector<NewEntryImage> images) {
    const std::vector<std::size_t> order = placementOrder(images);
    packImages(reordered(images, order));
}

void FilePair::State::packImages(const std::vector<NewEntryImage>& images) {
    // Cells are chosen on rectangles alone, growing the free space as needed;
    // the pixels move only once every cell is known, so the old atlas is
    // copied once, into the last enlarged bitmap.
    std::vector<AtlasRect> cells;
    cells.reserve(images.size());
    std::uint32_t width = FreeImage_GetWidth(bitmap.get());
    std::uint32_t height = FreeImage_GetHeight(bitmap.get());
    FreeSpaceMap snapshot = freeSpace;
    UniqueBitmap enlarged;
    try {
        for (const NewEntryImage& image : images) {
            // Images are at most INT_MAX wide and high: the +2 cannot wrap.
            AtlasRect cell{0, 0, image.width + 2, image.height + 2};
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
        replaceBitmap(std::move(enlarged));
    }

    for (std::size_t k = 0; k < images.size(); ++k) {
        const NewEntryImage& image = images[k];
        const AtlasRect& cell = cells[k];
        const auto existing = entries.find(image.name);
        if (existing != entries.end()) {
            removeEntry(existing);
        }
        // An entry of zero width or height has no pixels and no border to repeat.
        if (image.pixels) {
            pixelsChanging(cell);
            FreeImage_Paste(bitmap.get(), image.pixels.get(), static_cast<int>(cell.x + 1),
                            static_cast<int>(cell.y + 1), pasteExactly);
            fillBorder(bitmap.get(), cell);
        }
        entries.emplace(image.name, AtlasEntry{cell.x + 1, cell.y + 1, image.width, image.height, image.flag});
        entryAdded(image.name);
    }
    modified = ImageModified | IndexModified;
}
