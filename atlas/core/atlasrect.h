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

inline bool containsRect(const AtlasRect& outer, const AtlasRect& inner) {
    return inner.x >= outer.x && rightEnd(inner) <= rightEnd(outer) && inner.y >= outer.y &&
           bottomEnd(inner) <= bottomEnd(outer);
}

// Rectangles that only share an edge do not overlap.
inline bool rectsOverlap(const AtlasRect& a, const AtlasRect& b) {
    return a.x < rightEnd(b) && b.x < rightEnd(a) && a.y < bottomEnd(b) && b.y < bottomEnd(a);
}
