#include "usedarea.h"

#include <cstdint>

double usedAreaPercent(const FilePair& pair) {
    const std::uint64_t atlasArea = std::uint64_t{pair.width()} * pair.height();
    std::uint64_t cellArea = 0;
    for (const auto& named : pair.entries()) {
        const AtlasEntry& entry = named.second;
        cellArea += (std::uint64_t{entry.width} + 2) * (std::uint64_t{entry.height} + 2);
    }
    return atlasArea == 0 ? 0.0 : 100.0 * double(cellArea) / double(atlasArea);
}
