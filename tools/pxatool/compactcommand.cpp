// compact: every entry packed anew, so that removals leave no holes.
#include <iostream>

#include "atlaspairfiles.h"
#include "atlasusage.h"
#include "exceptions.h"
#include "paircommands.h"
#include "toolerror.h"
#include "toolmain.h"

int CompactCommand(const PairPaths& paths, const std::optional<AtlasSize>& startSize) {
    FilePair pair = OpenPair(paths.index, paths.image);
    const std::string sizeBefore = AtlasSizeText(pair);
    const std::string usedBefore = UsedPercent(pair);
    try {
        if (startSize) {
            pair.compact(startSize->width, startSize->height);
        } else {
            pair.compact();
        }
    } catch (const Exception& failure) {
        throw ToolError(paths.image, failure.message);
    }
    SavePair(pair, paths.index, paths.image);
    std::cout << "size " << sizeBefore << " -> " << AtlasSizeText(pair) << '\n'
              << "used-percent " << usedBefore << " -> " << UsedPercent(pair) << '\n';
    return kExitSuccess;
}
