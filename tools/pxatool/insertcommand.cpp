// insert: the editor's insertion, without its prompts.
#include <iostream>

#include "atlaspairfiles.h"
#include "entrylines.h"
#include "entryname.h"
#include "exceptions.h"
#include "paircommands.h"
#include "pathlists.h"
#include "toolerror.h"
#include "toolmain.h"

namespace {

void RequireUsableNames(const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        RequireExisting(file);
        const std::string name = entryNameFromPath(file);
        if (name.empty()) {
            throw ToolError(file, "No file name to make an entry name of");
        }
        if (!fitsIndexRecord(name)) {
            throw ToolError(file, "The entry name " + name + " is longer than the 64 bytes an index file keeps");
        }
    }
}

// Two files of one name both get cells; the later in placement order
// replaced the earlier, so only that one is in the table.
bool IsReplacedLater(const std::vector<std::string>& placed, std::size_t index) {
    const std::string name = entryNameFromPath(placed[index]);
    for (std::size_t later = index + 1; later < placed.size(); ++later) {
        if (entryNameFromPath(placed[later]) == name) {
            return true;
        }
    }
    return false;
}

}  // namespace

int InsertCommand(const PairPaths& paths, const std::vector<std::string>& arguments, bool recursive, bool dryRun) {
    std::vector<std::string> files = ImageFilesOf(arguments, recursive);
    RequireUsableNames(files);
    FilePair pair = OpenPair(paths.index, paths.image);
    try {
        pair.insertFiles(files);
    } catch (const Exception& failure) {
        // A file that cannot be loaded is named; growing the atlas concerns its image.
        throw ToolError(failure.fileName.empty() ? paths.image : failure.fileName, failure.message);
    }
    if (!dryRun) {
        SavePair(pair, paths.index, paths.image);
    }
    for (std::size_t index = 0; index < files.size(); ++index) {
        if (!IsReplacedLater(files, index)) {
            const std::string name = entryNameFromPath(files[index]);
            PrintEntryLine(std::cout, name, *pair.find(name));
        }
    }
    return kExitSuccess;
}
