// An entry's cell: its rectangle with the one-pixel border of repeated edge
// pixels around it, the space the entry takes in the atlas.
#pragma once

#include <cstdint>

#include "atlasentry.h"
#include "atlasrect.h"

// Cells lie inside the atlas, so an entry's x and y are at least 1, and an
// image is at most INT_MAX pixels a side: neither the - 1 nor the + 2 wraps.
inline AtlasRect cellOf(const AtlasEntry& entry) {
    return AtlasRect{entry.x - 1, entry.y - 1, entry.width + 2, entry.height + 2};
}

// The cell an image of width x height needs, at the origin until it is placed.
inline AtlasRect cellOfSize(std::uint32_t width, std::uint32_t height) {
    return AtlasRect{0, 0, width + 2, height + 2};
}

// The entry whose cell has been placed at `cell`: cellOf taken back.
inline AtlasEntry entryInCell(const AtlasRect& cell, std::uint8_t flag) {
    return AtlasEntry{cell.x + 1, cell.y + 1, cell.width - 2, cell.height - 2, flag};
}
