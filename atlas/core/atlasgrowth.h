// How an atlas that has run out of room grows. Any map with addFree, place
// and freeRects will do, so that the plain reference map grows by the same
// rules.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "atlaslimits.h"
#include "atlasrect.h"

// One growth step: the shorter side doubles (the width of a square atlas, so
// 256 x 256 becomes 512 x 256, then 512 x 512) and the new half is added to
// freeSpace as one rectangle, never merged with free space along the old
// edge. False, with nothing changed, when the doubled side would be beyond
// the int sizes FreeImage takes.
template <class Map>
bool growFreeSpace(Map& freeSpace, std::uint32_t& width, std::uint32_t& height) {
    if (height < width) {
        if (height > INT_MAX / 2) {
            return false;
        }
        freeSpace.addFree(0, height, width, height);
        height *= 2;
    } else {
        if (width > INT_MAX / 2) {
            return false;
        }
        freeSpace.addFree(width, 0, width, height);
        width *= 2;
    }
    return true;
}

// Whether growth steps from width x height place a cell that no free
// rectangle holds now before the atlas passes the size limit. A step only
// adds its new half, as large as the atlas before it, so the cell goes in
// at the first step whose half holds it.
inline bool growthStepsReachCell(const AtlasRect& cell, std::uint64_t width, std::uint64_t height) {
    for (;;) {
        const bool halfHoldsCell = width >= cell.width && height >= cell.height;
        (height < width ? height : width) *= 2;
        if (!fitsAtlasLimits(width, height)) {
            return false;
        }
        if (halfHoldsCell) {
            return true;
        }
    }
}

namespace growthfallback {

struct Size {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    bool doubled = false;  // both sides reached by doubling

    // Sizes reached by doubling come first, so that an atlas of powers of two
    // stays one wherever it can; then the smaller area.
    bool isBetterThan(const Size& other) const {
        return other.width == 0 || (doubled != other.doubled ? doubled : width * height < other.width * other.height);
    }
};

// `side` doubled until it reaches `needed`; `needed` itself where the
// doubling would pass the longest side.
inline std::uint64_t doubledTo(std::uint64_t side, std::uint64_t needed) {
    while (side < needed) {
        side *= 2;
    }
    return side <= maxAtlasSide ? side : needed;
}

// The smallest atlas, within the limits, in which `free` holds the cell once
// it reaches out to the new right and bottom edges wherever it touches the
// old ones; a 0 x 0 size when there is none. Sides grow by doubling where
// the limits allow that, otherwise both to exactly what the cell needs.
inline Size sizeHolding(const AtlasRect& free, const AtlasRect& cell, std::uint64_t width, std::uint64_t height) {
    const bool reachesRight = rightEnd(free) == width;
    const bool reachesBottom = bottomEnd(free) == height;
    if ((!reachesRight && free.width < cell.width) || (!reachesBottom && free.height < cell.height)) {
        return Size{};
    }
    const std::uint64_t neededWidth = reachesRight ? std::max(width, free.x + std::uint64_t{cell.width}) : width;
    const std::uint64_t neededHeight = reachesBottom ? std::max(height, free.y + std::uint64_t{cell.height}) : height;
    const Size doubled{doubledTo(width, neededWidth), doubledTo(height, neededHeight), true};
    if (fitsAtlasLimits(doubled.width, doubled.height)) {
        return doubled;
    }
    return fitsAtlasLimits(neededWidth, neededHeight) ? Size{neededWidth, neededHeight, false} : Size{};
}

}  // namespace growthfallback

// Where growth steps would pass the size limit before a cell fits (so the
// atlas could only be refused), the atlas grows in one go to the smallest
// size within the limits that holds the cell (by doubling its sides where
// some such size does): beside, below or across the free rectangles along
// the old right and bottom edges, which are joined to the new space. Then
// the cell is placed. False, with nothing changed, when no atlas within the
// limits holds it beside what is there.
template <class Map>
bool growToHoldCell(Map& freeSpace, AtlasRect& cell, std::uint32_t& width, std::uint32_t& height) {
    using growthfallback::Size;
    // Every free rectangle that touches the right or bottom edge, then the
    // new space right of and below the atlas, as rectangles of no width or
    // height along those edges. Joined to the new space in this order, the
    // free rectangles come first and often hold the new space alone.
    std::vector<AtlasRect> alongEdges;
    for (const AtlasRect& free : freeSpace.freeRects()) {
        if (free.width != 0 && (rightEnd(free) == width || bottomEnd(free) == height)) {
            alongEdges.push_back(free);
        }
    }
    alongEdges.push_back(AtlasRect{width, 0, 0, height});
    alongEdges.push_back(AtlasRect{0, height, width, 0});
    Size best;
    for (const AtlasRect& free : alongEdges) {
        const Size size = growthfallback::sizeHolding(free, cell, width, height);
        if (size.width != 0 && size.isBetterThan(best)) {
            best = size;
        }
    }
    if (best.width == 0) {
        return false;
    }
    for (const AtlasRect& free : alongEdges) {
        const std::uint64_t joinedWidth = rightEnd(free) == width ? best.width - free.x : free.width;
        const std::uint64_t joinedHeight = bottomEnd(free) == height ? best.height - free.y : free.height;
        if (joinedWidth != 0 && joinedHeight != 0) {
            freeSpace.addFree(free.x, free.y, static_cast<std::uint32_t>(joinedWidth),
                              static_cast<std::uint32_t>(joinedHeight));
        }
    }
    width = static_cast<std::uint32_t>(best.width);
    height = static_cast<std::uint32_t>(best.height);
    return freeSpace.place(cell);
}

// Places the cell, growing the atlas as needed: by growth steps wherever they
// reach it within the size limit, as they always have, and otherwise by
// growToHoldCell. `grown(width, height)` is called after every change of size
// and may throw to stop. False when no atlas within the limits holds the
// cell; what grew before stays.
template <class Map, class Grown>
bool placeGrowing(Map& freeSpace, AtlasRect& cell, std::uint32_t& width, std::uint32_t& height, Grown grown) {
    if (freeSpace.place(cell)) {
        return true;
    }
    if (!growthStepsReachCell(cell, width, height)) {
        if (!growToHoldCell(freeSpace, cell, width, height)) {
            return false;
        }
        grown(width, height);
        return true;
    }
    do {
        growFreeSpace(freeSpace, width, height);
        grown(width, height);
    } while (!freeSpace.place(cell));
    return true;
}
