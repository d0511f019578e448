// The largest atlas, and so the largest image an atlas can take.
#pragma once

#include <cstdint>

// At most 16,384 pixels a side and 256 MiB of 32-bit pixels (8192 x 8192,
// or 16384 x 4096). The project's FreeImage refuses any bitmap of more than
// 256 MiB of pixels too.
const std::uint32_t maxAtlasSide = 16384;
const std::uint64_t maxAtlasPixelBytes = std::uint64_t{256} << 20;

inline bool fitsAtlasLimits(std::uint64_t width, std::uint64_t height) {
    return width <= maxAtlasSide && height <= maxAtlasSide && width * height * 4 <= maxAtlasPixelBytes;
}
