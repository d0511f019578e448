#include "freespacemap.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

void FreeSpaceMap::addFree(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height) {
    const AtlasRect added{x, y, width, height};
    // An empty rectangle frees nothing; stored, it would pass for a vacant
    // slot that the stack does not know. A vacant slot contains only empty
    // rectangles, so only live slots can make a non-empty one redundant.
    if (width == 0 || height == 0) {
        return;
    }
    const bool alreadyFree = positions_.anyContains(added, steps_);
    if (!alreadyFree) {
        store(added);
    }
    keepWithinLimits();
}

// A scan of the slots from 0 that re-reads their count at every step cuts
// exactly the slots that overlapped the rectangle when it began, in slot
// order: the pieces it adds lie outside the rectangle, and a slot is only
// changed by being cut or, while vacant, by taking a piece.
void FreeSpaceMap::occupy(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height) {
    const AtlasRect used{x, y, width, height};
    overlapping_.clear();
    positions_.collectOverlapping(used, overlapping_, steps_);
    keepWithinLimits();
    std::sort(overlapping_.begin(), overlapping_.end());
    overlapping_.erase(std::unique(overlapping_.begin(), overlapping_.end()), overlapping_.end());
    for (const std::uint32_t i : overlapping_) {
        const AtlasRect slot = freeRects_[i];
        vacate(i);
        forEachPartOutside(slot, used,
                           [this](const AtlasRect& part) { addFree(part.x, part.y, part.width, part.height); });
    }
}

bool FreeSpaceMap::place(AtlasRect& cell) {
    // Live slots are at least 1 x 1, vacant ones 0 x 0: asking for at least
    // 1 x 1 skips the vacant ones as the scan does.
    const std::size_t first = sizes_.firstFit(std::max<std::uint32_t>(cell.width, 1),
                                              std::max<std::uint32_t>(cell.height, 1), freeRects_, steps_);
    keepWithinLimits();
    if (first == FirstFitTree::none) {
        return false;
    }
    const AtlasRect slot = freeRects_[first];
    cell.x = slot.x;
    cell.y = slot.y;
    occupy(slot.x, slot.y, cell.width, cell.height);
    return true;
}

FreeSpaceUsage FreeSpaceMap::usage() const {
    const std::size_t bytes = freeRects_.capacity() * sizeof(AtlasRect) + vacantSlots_.size() * sizeof(std::uint32_t) +
                              sizes_.bytes() + positions_.bytes() + overlapping_.capacity() * sizeof(std::uint32_t);
    return FreeSpaceUsage{bytes, steps_};
}

void FreeSpaceMap::swap(FreeSpaceMap& other) noexcept {
    freeRects_.swap(other.freeRects_);
    vacantSlots_.swap(other.vacantSlots_);
    sizes_.swap(other.sizes_);
    positions_.swap(other.positions_);
    overlapping_.swap(other.overlapping_);
    std::swap(limits_, other.limits_);
    std::swap(steps_, other.steps_);
}

// The last vacated slot takes the rectangle; the list grows only when none is.
void FreeSpaceMap::store(const AtlasRect& rect) {
    std::uint32_t slot = 0;
    if (!vacantSlots_.empty()) {
        slot = vacantSlots_.back();
        noteChange(log_.attached, SlotChange{SlotChange::Reused, slot, freeRects_[slot], rect});
        freeRects_[slot] = rect;
        vacantSlots_.pop_back();
    } else {
        slot = static_cast<std::uint32_t>(freeRects_.size());
        freeRects_.push_back(rect);
        noteChange(log_.attached, SlotChange{SlotChange::Appended, slot, AtlasRect{}, rect});
    }
    ++steps_;
    sizes_.touch(slot);
    positions_.insert(slot, freeRects_, steps_);
}

void FreeSpaceMap::vacate(std::uint32_t slot) {
    ++steps_;
    noteChange(log_.attached, SlotChange{SlotChange::Vacated, slot, freeRects_[slot], AtlasRect{}});
    vacantSlots_.push_back(slot);
    positions_.erase(slot, freeRects_[slot], steps_);
    freeRects_[slot].width = 0;
    freeRects_[slot].height = 0;
    sizes_.touch(slot);
}

void FreeSpaceMap::keepWithinLimits() const {
    if (steps_ > limits_.steps || (limits_.bytes != FreeSpaceLimits{}.bytes && usage().bytes > limits_.bytes)) {
        throw std::length_error("free space beyond its limits");
    }
}
