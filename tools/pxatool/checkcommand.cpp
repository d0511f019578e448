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
    RequireExisting(paths.image);
    RequireExisting(paths.index);
    ImageSize atlas{};
    try {
        atlas = imageSizeOf(paths.image);
    } catch (const Exception& failure) {
        throw ToolError(paths.image, failure.message);
    }
    std::vector<IndexRecord> records;
    try {
        records = readIndexRecords(paths.index);
    } catch (const Exception& failure) {
        throw ToolError(paths.index, failure.message);
    }
    const std::vector<std::string> problems = FindIndexProblems(records, atlas.width, atlas.height);
    for (const std::string& problem : problems) {
        std::cout << problem << '\n';
    }
    return problems.empty() ? kExitSuccess : kExitFailed;
}
