// check: what the editor does not test when it opens a pair.
#include <iostream>

#include "atlaspairfiles.h"
#include "exceptions.h"
#include "imagefile.h"
#include "indexcheck.h"
#include "paircommands.h"
#include "toolerror.h"
#include "toolmain.h"

int CheckCommand(const PairPaths& paths) {
    // Not opened as a pair: opening refuses the very records worth reporting.
    RecoverPair(paths.index, paths.image);
    RequireExisting(paths.image);
    RequireExisting(paths.index);
    ImageSize atlas{};
    std::vector<IndexRecord> records;
    try {
        atlas = imageSizeOf(paths.image);
        records = readIndexRecords(paths.index);
    } catch (const Exception& failure) {
        throw ToolError(failure.fileName, failure.message);
    }
    const std::vector<std::string> problems = FindIndexProblems(records, atlas.width, atlas.height);
    for (const std::string& problem : problems) {
        std::cout << problem << '\n';
    }
    return problems.empty() ? kExitSuccess : kExitFailed;
}
