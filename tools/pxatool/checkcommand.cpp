// check: what the editor does not test when it opens a pair.
#include <iostream>

#include "atlasimage.h"
#include "atlaspairfiles.h"
#include "exceptions.h"
#include "indexcheck.h"
#include "paircommands.h"
#include "toolerror.h"
#include "toolmain.h"

int CheckCommand(const PairPaths& paths) {
    // Not opened as a pair: opening refuses the very records worth reporting.
    RequireExisting(paths.image);
    RequireExisting(paths.index);
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    try {
        const UniqueBitmap atlas = loadImage(paths.image);
        width = FreeImage_GetWidth(atlas.get());
        height = FreeImage_GetHeight(atlas.get());
    } catch (const Exception& failure) {
        throw ToolError(paths.image, failure.message);
    }
    std::vector<IndexRecord> records;
    try {
        records = readIndexRecords(paths.index);
    } catch (const Exception& failure) {
        throw ToolError(paths.index, failure.message);
    }
    const std::vector<std::string> problems = FindIndexProblems(records, width, height);
    for (const std::string& problem : problems) {
        std::cout << problem << '\n';
    }
    return problems.empty() ? kExitSuccess : kExitFailed;
}
