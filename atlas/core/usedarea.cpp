#include "usedarea.h"

#include <cstdint>

#include "entrycell.h"

double usedAreaPercent(const FilePair& pair) {
    const std::uint64_t atlasArea = std::uint64_t{pair.width()} * pair.height();
    std::uint64_t cellArea = 0;
    for (const auto& named : pair.entries()) {
        const AtlasRect cell = cellOf(named.second);
        cellArea += std::uint64_t{cell.width} * cell.height;
    }
    return atlasArea == 0 ? 0.0 : 100.0 * double(cellArea) / double(atlasArea);
}
