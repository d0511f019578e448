// new, rename, remove: one change to a pair, then saved.
#include "atlaspairfiles.h"
#include "entrylines.h"
#include "entryname.h"
#include "exceptions.h"
#include "paircommands.h"
#include "toolerror.h"
#include "toolmain.h"
#include "folderlisting.h"

int NewCommand(const PairPaths& paths, const AtlasSize& size, bool overwrite) {
    if (!overwrite) {
        for (const std::string* path : {&paths.image, &paths.index}) {
            if (PathExists(*path)) {
                throw ToolError(*path, "The file exists (--force overwrites it)");
            }
        }
    }
    FilePair pair = [&] {
        try {
            FilePair pair(size.width, size.height);
            pair.limitHistory(0);
            return pair;
        } catch (const Exception& failure) {
            throw ToolError(paths.image, failure.message);
        }
    }();
    SavePair(pair, paths.index, paths.image);
    return kExitSuccess;
}

int RenameCommand(const PairPaths& paths, const std::string& oldName, const std::string& newName) {
    const std::string from = EntryNameArgument(oldName, paths.index);
    const std::string to = EntryNameArgument(newName, paths.index);
    if (to.empty()) {
        throw ToolError(paths.index, "The new name is empty");
    }
    if (!fitsIndexRecord(to)) {
        throw ToolError(paths.index,
                        "The new name " + EntryNameText(to) + " is longer than the 64 bytes an index file keeps");
    }
    FilePair pair = OpenPair(paths.index, paths.image);
    if (pair.find(from) == nullptr) {
        throw ToolError(paths.index, "No entry named " + EntryNameText(from));
    }
    if (pair.find(to) != nullptr) {
        throw ToolError(paths.index, "An entry named " + EntryNameText(to) + " exists already");
    }
    pair.rename(from, to);
    SavePair(pair, paths.index, paths.image);
    return kExitSuccess;
}

int RemoveCommand(const PairPaths& paths, const std::vector<std::string>& names) {
    FilePair pair = OpenPair(paths.index, paths.image);
    // All or nothing: a mistyped name leaves the pair as it was.
    std::vector<std::string> entryNames;
    for (const std::string& name : names) {
        entryNames.push_back(EntryNameArgument(name, paths.index));
        if (pair.find(entryNames.back()) == nullptr) {
            throw ToolError(paths.index, "No entry named " + EntryNameText(entryNames.back()));
        }
    }
    for (const std::string& name : entryNames) {
        pair.remove(name);
    }
    SavePair(pair, paths.index, paths.image);
    return kExitSuccess;
}
