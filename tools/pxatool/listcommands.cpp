// list and info: reading a pair without changing it.
#include <iostream>

#include "atlaspairfiles.h"
#include "atlasusage.h"
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
    std::cout << "size " << AtlasSizeText(pair) << '\n'
              << "entries " << pair.entries().size() << '\n'
              << "free-rectangles " << CountFreeRectangles(pair.freeSpace()) << '\n'
              << "used-percent " << UsedPercent(pair) << '\n';
    return kExitSuccess;
}
