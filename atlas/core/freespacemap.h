// The free areas of one atlas, and the first-fit rule that places new cells.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

// A rectangle in atlas pixels, origin at the top-left, rows growing downwards.
struct AtlasRect {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

inline bool operator==(const AtlasRect& a, const AtlasRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// Free space as a list of possibly overlapping maximal rectangles. Slots are
// never removed: a used-up slot becomes vacant (width and height 0) and is
// reused, last vacated first, before the list grows. Slot order decides where
// a cell goes, so copies keep it exactly.
class FreeSpaceMap {
public:
    // Declares the rectangle free, unless one slot already contains it.
    void addFree(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height);

    // Declares the rectangle used: every free rectangle that overlaps it is
    // replaced by its parts outside it.
    void occupy(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height);

    // Puts the cell at the top-left corner of the first free rectangle that is
    // large enough and occupies it. False, with nothing changed, when none is.
    bool place(AtlasRect& cell);

    // Exchanges the contents without allocating, so a rollback cannot fail.
    void swap(FreeSpaceMap& other) noexcept {
        freeRects_.swap(other.freeRects_);
        vacantSlots_.swap(other.vacantSlots_);
    }

    const std::vector<AtlasRect>& freeRects() const { return freeRects_; }
    const std::deque<std::uint32_t>& vacantSlots() const { return vacantSlots_; }

private:
    std::vector<AtlasRect> freeRects_;
    std::deque<std::uint32_t> vacantSlots_;
};
