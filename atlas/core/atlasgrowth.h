// How an atlas that has run out of room grows.
#pragma once

#include <cstdint>

class FreeSpaceMap;

// One growth step: the shorter side doubles (the width of a square atlas, so
// 256 x 256 becomes 512 x 256, then 512 x 512) and the new half is added to
// freeSpace as one rectangle, never merged with free space along the old
// edge. False, with nothing changed, when the doubled side would be beyond
// the int sizes FreeImage takes.
bool growFreeSpace(FreeSpaceMap& freeSpace, std::uint32_t& width, std::uint32_t& height);
