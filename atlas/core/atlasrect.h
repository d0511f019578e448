// A rectangle of atlas pixels, and the tests the free-space map makes on two.
#pragma once

#include <cstdint>

// Origin at the top-left, rows growing downwards.
struct AtlasRect {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

inline bool operator==(const AtlasRect& a, const AtlasRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// 64-bit ends, so that a rectangle touching 2^32 cannot wrap around.
inline std::uint64_t rightEnd(const AtlasRect& r) { return std::uint64_t{r.x} + r.width; }
inline std::uint64_t bottomEnd(const AtlasRect& r) { return std::uint64_t{r.y} + r.height; }

// All four tests, combined without short-circuit branches: the free-space map
// asks them of many rectangles in a row, with outcomes too random to predict.
inline bool allOf(bool a, bool b, bool c, bool d) { return (int{a} & int{b} & int{c} & int{d}) != 0; }

inline bool containsRect(const AtlasRect& outer, const AtlasRect& inner) {
    return allOf(inner.x >= outer.x, rightEnd(inner) <= rightEnd(outer), inner.y >= outer.y,
                 bottomEnd(inner) <= bottomEnd(outer));
}

// Rectangles that only share an edge do not overlap.
inline bool rectsOverlap(const AtlasRect& a, const AtlasRect& b) {
    return allOf(a.x < rightEnd(b), b.x < rightEnd(a), a.y < bottomEnd(b), b.y < bottomEnd(a));
}

// The parts of `slot` outside `used`, each one that is not empty, in the
// order that free space takes them: left, top, right, bottom. The left and
// right parts span the slot's whole height and the top and bottom parts its
// whole width, so they overlap at the corners.
template <class Add>
void forEachPartOutside(const AtlasRect& slot, const AtlasRect& used, Add add) {
    if (used.x > slot.x) {
        add(AtlasRect{slot.x, slot.y, used.x - slot.x, slot.height});
    }
    if (used.y > slot.y) {
        add(AtlasRect{slot.x, slot.y, slot.width, used.y - slot.y});
    }
    if (rightEnd(used) < rightEnd(slot)) {
        add(AtlasRect{used.x + used.width, slot.y, slot.x + slot.width - used.x - used.width, slot.height});
    }
    if (bottomEnd(used) < bottomEnd(slot)) {
        add(AtlasRect{slot.x, used.y + used.height, slot.width, slot.y + slot.height - used.y - used.height});
    }
}
