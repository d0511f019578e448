// The free-space map as a plain list scanned from slot 0 by every operation:
// the reference that FreeSpaceMap must match slot for slot, and the baseline
// of its benchmarks.
#pragma once

#include <cstdint>
#include <vector>

#include "atlasrect.h"

class LinearFreeSpaceMap {
public:
    void addFree(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height);
    void occupy(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height);
    bool place(AtlasRect& cell);

    const std::vector<AtlasRect>& freeRects() const { return freeRects_; }
    const std::vector<std::uint32_t>& vacantSlots() const { return vacantSlots_; }

private:
    std::vector<AtlasRect> freeRects_;
    std::vector<std::uint32_t> vacantSlots_;
};
