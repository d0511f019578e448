#include "previewarea.h"

#include <climits>

std::optional<PreviewArea> previewAreaOf(const AtlasEntry& entry, std::uint32_t atlasWidth, std::uint32_t atlasHeight) {
    const std::uint64_t right = std::uint64_t{entry.x} + entry.width;
    const std::uint64_t bottom = std::uint64_t{entry.y} + entry.height;
    // The drawing calls take int coordinates; no real atlas is larger.
    if (right > atlasWidth || bottom > atlasHeight || atlasWidth > INT_MAX || atlasHeight > INT_MAX) {
        return std::nullopt;
    }
    return PreviewArea{static_cast<std::int32_t>(entry.width), static_cast<std::int32_t>(entry.height),
                       static_cast<std::int32_t>(entry.x),
                       static_cast<std::int32_t>(atlasHeight - entry.y - entry.height)};
}
