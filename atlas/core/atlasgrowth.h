// How an atlas that has run out of room grows.
#pragma once

#include <climits>
#include <cstdint>

// One growth step: the shorter side doubles (the width of a square atlas, so
// 256 x 256 becomes 512 x 256, then 512 x 512) and the new half is added to
// freeSpace as one rectangle, never merged with free space along the old
// edge. False, with nothing changed, when the doubled side would be beyond
// the int sizes FreeImage takes. Any map with addFree will do, so that the
// plain reference map grows by the same rule.
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
