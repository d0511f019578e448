#include "linearfreespacemap.h"

#include <cstddef>

namespace {

bool isVacant(const AtlasRect& slot) { return slot.width == 0 || slot.height == 0; }

}  // namespace

void LinearFreeSpaceMap::addFree(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height) {
    const AtlasRect added{x, y, width, height};
    if (isVacant(added)) {
        return;
    }
    for (const AtlasRect& slot : freeRects_) {
        if (containsRect(slot, added)) {
            return;
        }
    }
    if (!vacantSlots_.empty()) {
        const std::uint32_t reused = vacantSlots_.back();
        vacantSlots_.pop_back();
        freeRects_[reused] = added;
    } else {
        freeRects_.push_back(added);
    }
}

void LinearFreeSpaceMap::occupy(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height) {
    const AtlasRect used{x, y, width, height};
    // The count is read on every step: pieces appended by addFree are visited too.
    for (std::size_t i = 0; i < freeRects_.size(); ++i) {
        const AtlasRect slot = freeRects_[i];
        if (isVacant(slot) || !rectsOverlap(used, slot)) {
            continue;
        }
        freeRects_[i].width = 0;
        freeRects_[i].height = 0;
        vacantSlots_.push_back(static_cast<std::uint32_t>(i));
        forEachPartOutside(slot, used,
                           [this](const AtlasRect& part) { addFree(part.x, part.y, part.width, part.height); });
    }
}

bool LinearFreeSpaceMap::place(AtlasRect& cell) {
    for (const AtlasRect& slot : freeRects_) {
        if (!isVacant(slot) && slot.width >= cell.width && slot.height >= cell.height) {
            cell.x = slot.x;
            cell.y = slot.y;
            occupy(slot.x, slot.y, cell.width, cell.height);
            return true;
        }
    }
    return false;
}
