// Where an entry's pixels are in the atlas's pixel buffer, for drawing them.
#pragma once

#include <cstdint>
#include <optional>

#include "atlasentry.h"

// The entry's rectangle in the terms of a bottom-up pixel buffer: rows are
// counted from the bottom of the atlas, so the entry's top row y of an atlas
// of height H is found at H - y - height from the bottom.
struct PreviewArea {
    std::int32_t width;
    std::int32_t height;
    std::int32_t sourceX;
    std::int32_t sourceY;  // from the bottom row of the atlas
};

inline bool operator==(const PreviewArea& a, const PreviewArea& b) {
    return a.width == b.width && a.height == b.height && a.sourceX == b.sourceX && a.sourceY == b.sourceY;
}

// Nothing when the rectangle does not lie wholly inside the atlas: drawing it
// would read outside the pixel buffer.
std::optional<PreviewArea> previewAreaOf(const AtlasEntry& entry, std::uint32_t atlasWidth, std::uint32_t atlasHeight);
