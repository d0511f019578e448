#include "filepairstate.h"

#include <algorithm>
#include <utility>

#include "atlasimage.h"

namespace {

struct Size {
    std::uint32_t width;
    std::uint32_t height;
};

// Whether the cells, in placement order, all go into an empty atlas of that
// size by the insertion rule, without growing it.
bool holdsWithoutGrowing(const std::vector<AtlasRect>& cells, Size size) {
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
Size smallestHoldingSize(const std::vector<AtlasRect>& cells) {
    std::uint64_t area = 0;
    Size largest{0, 0};
    for (const AtlasRect& cell : cells) {
        area += std::uint64_t{cell.width} * cell.height;
        largest = Size{std::max(largest.width, cell.width), std::max(largest.height, cell.height)};
    }
    for (Size size{1, 1}; fitsAtlasLimits(size.width, size.height);
         (size.height < size.width ? size.height : size.width) *= 2) {
        if (std::uint64_t{size.width} * size.height >= area && size.width >= largest.width &&
            size.height >= largest.height && holdsWithoutGrowing(cells, size)) {
            return size;
        }
    }
    return Size{0, 0};
}

}  // namespace

void FilePair::compact() {
    if (state_->entries.empty()) {
        return;
    }
    std::vector<NewEntryImage> sizes;
    sizes.reserve(state_->entries.size());
    for (const auto& [name, entry] : state_->entries) {
        sizes.push_back(NewEntryImage{name, nullptr, entry.width, entry.height, entry.flag, std::string()});
    }
    std::vector<AtlasRect> cells;
    cells.reserve(sizes.size());
    for (std::size_t index : placementOrder(sizes)) {
        cells.push_back(AtlasRect{0, 0, sizes[index].width + 2, sizes[index].height + 2});
    }
    const Size current{width(), height()};
    Size chosen = smallestHoldingSize(cells);
    const bool currentIsNoLarger =
        std::uint64_t{current.width} * current.height <= std::uint64_t{chosen.width} * chosen.height;
    if (chosen.width == 0 || (currentIsNoLarger && holdsWithoutGrowing(cells, current))) {
        chosen = current;
    }
    compact(static_cast<std::int32_t>(chosen.width), static_cast<std::int32_t>(chosen.height));
}

void FilePair::compact(std::int32_t width, std::int32_t height) {
    StepRecording recording(*state_, AtlasEdit::Compact);
    std::vector<NewEntryImage> images;
    images.reserve(state_->entries.size());
    for (const auto& [name, entry] : state_->entries) {
        UniqueBitmap pixels;
        if (entry.width != 0 && entry.height != 0) {
            pixels = copyEntryPixels(entry, state_->bitmap.get());
        }
        images.push_back(NewEntryImage{name, std::move(pixels), entry.width, entry.height, entry.flag, std::string()});
    }
    // Packed into a document of its own, so that a failure touches nothing here.
    FilePair packed(width, height);
    packed.state_->insertImages(std::move(images));
    state_->selected = nullptr;
    state_->replaceContents(*packed.state_);
    state_->modified = ImageModified | IndexModified;
    recording.finish();
}
