// list and info: reading a pair without changing it.
#include <iostream>

#include "atlaspairfiles.h"
#include "atlasusage.h"
#include "entrylines.h"
#include "paircommands.h"
#include "toolmain.h"

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
              << "free-rectangles " << pair.freeRectangleCount() << '\n'
              << "used-percent " << UsedPercent(pair) << '\n';
    return kExitSuccess;
}
