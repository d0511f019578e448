// list and info: reading a pair without changing it.
#include <cstdio>
#include <iostream>

#include "atlaspairfiles.h"
#include "entrylines.h"
#include "freespacemap.h"
#include "paircommands.h"
#include "toolmain.h"

namespace {

std::size_t CountFreeRectangles(const FreeSpaceMap& freeSpace) {
    std::size_t count = 0;
    for (const AtlasRect& rect : freeSpace.freeRects()) {
        // Vacant slots are kept for reuse but hold no space.
        if (rect.width != 0 && rect.height != 0) {
            ++count;
        }
    }
    return count;
}

// Every entry's cell, border included, over the atlas area.
std::string UsedPercent(const FilePair& pair, std::uint64_t atlasArea) {
    std::uint64_t cellArea = 0;
    for (const auto& named : pair.entries()) {
        const AtlasEntry& entry = named.second;
        cellArea += (std::uint64_t{entry.width} + 2) * (std::uint64_t{entry.height} + 2);
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", atlasArea == 0 ? 0.0 : 100.0 * double(cellArea) / double(atlasArea));
    return text;
}

} // namespace

int ListCommand(const PairPaths& paths) {
    const FilePair pair = OpenPair(paths.index, paths.image);
    for (const auto& [name, entry] : pair.entries()) {
        PrintEntryLine(std::cout, name, entry);
    }
    return kExitSuccess;
}

int InfoCommand(const PairPaths& paths) {
    const FilePair pair = OpenPair(paths.index, paths.image);
    const std::uint32_t width = FreeImage_GetWidth(pair.bitmap());
    const std::uint32_t height = FreeImage_GetHeight(pair.bitmap());
    std::cout << "size " << width << 'x' << height << '\n'
              << "entries " << pair.entries().size() << '\n'
              << "free-rectangles " << CountFreeRectangles(pair.freeSpace()) << '\n'
              << "used-percent " << UsedPercent(pair, std::uint64_t{width} * height) << '\n';
    return kExitSuccess;
}
