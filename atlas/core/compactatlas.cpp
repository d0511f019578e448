#include "compactatlas.h"

#include <algorithm>
#include <utility>

#include "atlasimage.h"
#include "entrycell.h"
#include "entrypacking.h"

namespace {

// Whether the cells, in placement order, all go into an empty atlas of that
// size by the insertion rule, without growing it.
bool holdsWithoutGrowing(const std::vector<AtlasRect>& cells, AtlasSize size) {
    FreeSpaceMap freeSpace;
    freeSpace.addFree(0, 0, size.width, size.height);
    for (AtlasRect cell : cells) {
        if (!freeSpace.place(cell)) {
            return false;
        }
    }
    return true;
}

// The smallest size of the growth sequence within the limits that holds the
// cells; 0 x 0 when none does. Sizes too small for the cells' total area or
// for the widest or highest cell are not tried.
AtlasSize smallestHoldingSize(const std::vector<AtlasRect>& cells) {
    std::uint64_t area = 0;
    AtlasSize largest{0, 0};
    for (const AtlasRect& cell : cells) {
        area += std::uint64_t{cell.width} * cell.height;
        largest = AtlasSize{std::max(largest.width, cell.width), std::max(largest.height, cell.height)};
    }
    for (AtlasSize size{1, 1}; fitsAtlasLimits(size.width, size.height);
         (size.height < size.width ? size.height : size.width) *= 2) {
        if (std::uint64_t{size.width} * size.height >= area && size.width >= largest.width &&
            size.height >= largest.height && holdsWithoutGrowing(cells, size)) {
            return size;
        }
    }
    return AtlasSize{0, 0};
}

}  // namespace

AtlasSize compactedSize(const AtlasDocument& document) {
    std::vector<NewEntryImage> sizes;
    sizes.reserve(document.entries.size());
    for (const auto& [name, entry] : document.entries) {
        sizes.push_back(NewEntryImage{name, nullptr, entry.width, entry.height, entry.flag, std::string()});
    }
    std::vector<AtlasRect> cells;
    cells.reserve(sizes.size());
    for (std::size_t index : placementOrder(sizes)) {
        cells.push_back(cellOfSize(sizes[index].width, sizes[index].height));
    }
    const AtlasSize current{FreeImage_GetWidth(document.bitmap.get()), FreeImage_GetHeight(document.bitmap.get())};
    AtlasSize chosen = smallestHoldingSize(cells);
    const bool currentIsNoLarger =
        std::uint64_t{current.width} * current.height <= std::uint64_t{chosen.width} * chosen.height;
    if (chosen.width == 0 || (currentIsNoLarger && holdsWithoutGrowing(cells, current))) {
        chosen = current;
    }
    return chosen;
}

void compactDocument(AtlasDocument& document, std::int32_t width, std::int32_t height) {
    std::vector<NewEntryImage> images;
    images.reserve(document.entries.size());
    for (const auto& [name, entry] : document.entries) {
        UniqueBitmap pixels;
        if (entry.width != 0 && entry.height != 0) {
            pixels = copyEntryPixels(entry, document.bitmap.get());
        }
        images.push_back(NewEntryImage{name, std::move(pixels), entry.width, entry.height, entry.flag, std::string()});
    }
    // Packed into a document of its own, so that a failure touches nothing here.
    AtlasDocument packed(width, height);
    insertImages(packed, std::move(images));
    document.selected = nullptr;
    document.replaceContents(packed);
    document.modified = FilePair::ImageModified | FilePair::IndexModified;
}
