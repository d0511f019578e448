// insert: the editor's insertion, without its prompts.
#include <iostream>

#include "atlasimage.h"
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
        if (name.size() > kMostNameBytes) {
            throw ToolError(file, "The entry name " + name + " is longer than the 64 bytes an index file keeps");
        }
    }
}

// insertFiles does not say which file it could not load. It loads them in
// the order given and leaves that order alone when one fails, so the first
// file that fails to load again is the one.
std::string FileThatFailed(const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        try {
            loadImage(file);
        } catch (const Exception&) {
            return file;
        }
    }
    return std::string();
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

} // namespace

int InsertCommand(const PairPaths& paths, const std::vector<std::string>& arguments, bool recursive, bool dryRun) {
    std::vector<std::string> files = ImageFilesOf(arguments, recursive);
    RequireUsableNames(files);
    FilePair pair = OpenPair(paths.index, paths.image);
    try {
        pair.insertFiles(files);
    } catch (const Exception& failure) {
        const std::string culprit = FileThatFailed(files);
        throw ToolError(culprit.empty() ? paths.image : culprit, failure.message);
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
