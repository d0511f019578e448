#include "freespacemap.h"

namespace {

bool isVacant(const AtlasRect& slot) {
    return slot.width == 0 || slot.height == 0;
}

// 64-bit ends, so that a rectangle touching 2^32 cannot wrap around.
std::uint64_t rightEnd(const AtlasRect& r) { return std::uint64_t{r.x} + r.width; }
std::uint64_t bottomEnd(const AtlasRect& r) { return std::uint64_t{r.y} + r.height; }

bool contains(const AtlasRect& outer, const AtlasRect& inner) {
    return inner.x >= outer.x && rightEnd(inner) <= rightEnd(outer) &&
           inner.y >= outer.y && bottomEnd(inner) <= bottomEnd(outer);
}

bool overlaps(const AtlasRect& a, const AtlasRect& b) {
    return a.x < rightEnd(b) && b.x < rightEnd(a) && a.y < bottomEnd(b) && b.y < bottomEnd(a);
}

} // namespace

void FreeSpaceMap::addFree(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height) {
    const AtlasRect added{x, y, width, height};
    // An empty rectangle frees nothing; stored, it would pass for a vacant
    // slot that the stack does not know.
    if (isVacant(added)) {
        return;
    }
    // Vacant slots take part in this test as they are (a zero-sized slot
    // contains only zero-sized rectangles, which never get here).
    for (const AtlasRect& slot : freeRects_) {
        if (contains(slot, added)) {
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

void FreeSpaceMap::occupy(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height) {
    const AtlasRect used{x, y, width, height};
    // The count is read on every step: pieces appended by addFree are cut too.
    for (std::size_t i = 0; i < freeRects_.size(); ++i) {
        const AtlasRect slot = freeRects_[i];
        // A vacant slot keeps its old corner; the overlap test alone would
        // let a rectangle around that corner vacate it a second time.
        if (isVacant(slot) || !overlaps(used, slot)) {
            continue;
        }
        freeRects_[i].width = 0;
        freeRects_[i].height = 0;
        vacantSlots_.push_back(static_cast<std::uint32_t>(i));

        if (used.x > slot.x) {
            addFree(slot.x, slot.y, used.x - slot.x, slot.height);
        }
        if (used.y > slot.y) {
            addFree(slot.x, slot.y, slot.width, used.y - slot.y);
        }
        if (rightEnd(used) < rightEnd(slot)) {
            addFree(used.x + used.width, slot.y, slot.x + slot.width - used.x - used.width, slot.height);
        }
        if (bottomEnd(used) < bottomEnd(slot)) {
            addFree(slot.x, used.y + used.height, slot.width, slot.y + slot.height - used.y - used.height);
        }
    }
}

bool FreeSpaceMap::place(AtlasRect& cell) {
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
