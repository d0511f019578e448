// insert: the editor's insertion, without its prompts.
#include <iostream>
#include <map>

#include "atlaspairfiles.h"
#include "entrylines.h"
#include "entryname.h"
#include "exceptions.h"
#include "filepath.h"
#include "paircommands.h"
#include "pathlists.h"
#include "toolerror.h"
#include "toolmain.h"
#include "toolsystemtext.h"

namespace {

// The entry name of a file, in Windows-1252 like every entry name; with
// `pathNames` the subfolders below the folder named come first, each
// followed by a dot. Empty, with `problem` set, when it cannot be one.
std::string EntryNameOf(const FoundFile& file, bool pathNames, std::string& problem) {
    std::string subfolders = pathNames ? file.subfolders : std::string();
    for (char& c : subfolders) {
        c = c == '/' ? kPathNameSeparator : c;
    }
    std::string name;
    if (!SystemTextToWindows1252(subfolders + FileNamePart(file.path), name, problem)) {
        return std::string();
    }
    name = upperCaseAscii(name);
    if (name.empty()) {
        problem = "No file name to make an entry name of";
    } else if (!fitsIndexRecord(name)) {
        problem = "The entry name " + name + " is longer than the 64 bytes an index file keeps";
        name.clear();
    }
    return name;
}

// The files to insert, each with its entry name. A file found in a folder
// whose name cannot be an entry name is skipped; one named on the command
// line stops the command.
std::vector<ImageFileToInsert> FilesToInsert(const std::vector<FoundFile>& found, bool pathNames,
                                             std::vector<SkippedFile>& skipped) {
    std::vector<ImageFileToInsert> files;
    for (const FoundFile& file : found) {
        if (!file.inFolder) {
            RequireExisting(file.path);
        }
        std::string problem;
        const std::string name = EntryNameOf(file, pathNames, problem);
        if (name.empty() && !file.inFolder) {
            throw ToolError(file.path, problem);
        }
        if (name.empty()) {
            skipped.push_back(SkippedFile{file.path, problem});
            continue;
        }
        files.push_back(ImageFileToInsert{file.path, name, file.inFolder});
    }
    return files;
}

// Files that would get one entry name: with `lastWins` the later of them is
// kept; otherwise every clash is named and nothing is inserted.
void ResolveSameNames(std::vector<ImageFileToInsert>& files, bool lastWins) {
    std::map<std::string, std::size_t> lastWithName;
    std::vector<std::string> clashes;
    for (std::size_t index = 0; index < files.size(); ++index) {
        const auto [earlier, isNew] = lastWithName.emplace(files[index].name, index);
        if (!isNew) {
            clashes.push_back(ErrorLine(kToolName, files[index].path,
                                        "Same entry name " + files[index].name + " as " + files[earlier->second].path));
            earlier->second = index;
        }
    }
    if (clashes.empty()) {
        return;
    }
    if (!lastWins) {
        for (const std::string& clash : clashes) {
            std::cerr << clash << '\n';
        }
        throw ToolError(std::string(),
                        "Nothing inserted: files would share entry names (--last-wins keeps the "
                        "later of each, --path-names puts their folders into the names)");
    }
    std::vector<ImageFileToInsert> kept;
    for (std::size_t index = 0; index < files.size(); ++index) {
        if (lastWithName[files[index].name] == index) {
            kept.push_back(files[index]);
        }
    }
    files.swap(kept);
}

}  // namespace

int InsertCommand(const PairPaths& paths, const std::vector<std::string>& arguments, const InsertOptions& options) {
    std::vector<SkippedFile> skipped;
    std::vector<ImageFileToInsert> files =
        FilesToInsert(ImageFilesOf(arguments, options.recursive), options.pathNames, skipped);
    ResolveSameNames(files, options.lastWins);
    FilePair pair = OpenPair(paths.index, paths.image);
    InsertionResult inserted;
    try {
        inserted = pair.insertNamedFiles(files);
    } catch (const Exception& failure) {
        // A file that cannot be loaded is named; growing the atlas concerns its image.
        throw ToolError(failure.fileName.empty() ? paths.image : failure.fileName, failure.message);
    }
    skipped.insert(skipped.end(), inserted.skipped.begin(), inserted.skipped.end());
    if (!inserted.placed.empty() && !options.dryRun) {
        SavePair(pair, paths.index, paths.image);
    }
    // No two files share a name by now, so each entry placed is one the pair keeps.
    for (const PlacedEntry& placed : inserted.placed) {
        PrintEntryLine(std::cout, placed.name, placed.entry);
    }
    std::cout.flush();
    for (const SkippedFile& file : skipped) {
        std::cerr << ErrorLine(kToolName, file.path, "Skipped: " + file.reason) << '\n';
    }
    return skipped.empty() ? kExitSuccess : kExitFailed;
}
