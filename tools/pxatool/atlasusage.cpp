#include "atlasusage.h"

#include <cstdint>
#include <cstdio>

std::string AtlasSizeText(const FilePair& pair) {
    return std::to_string(pair.width()) + "x" + std::to_string(pair.height());
}

std::string UsedPercent(const FilePair& pair) {
    const std::uint64_t atlasArea = std::uint64_t{pair.width()} * pair.height();
    std::uint64_t cellArea = 0;
    for (const auto& named : pair.entries()) {
        const AtlasEntry& entry = named.second;
        cellArea += (std::uint64_t{entry.width} + 2) * (std::uint64_t{entry.height} + 2);
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", atlasArea == 0 ? 0.0 : 100.0 * double(cellArea) / double(atlasArea));
    return text;
}
