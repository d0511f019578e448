// extract: entries to image files in a folder.
#include <iostream>
#include <set>

#include "atlaspairfiles.h"
#include "entrylines.h"
#include "entryname.h"
#include "exceptions.h"
#include "filepath.h"
#include "paircommands.h"
#include "pathlists.h"
#include "safefilename.h"
#include "toolerror.h"
#include "toolmain.h"
#include "folderlisting.h"
#include "systemtext.h"

namespace {

// The names asked for, as entry names, each once, in the order given; all
// entries in table order when none are given.
std::vector<std::string> NamesToExtract(const FilePair& pair, const std::vector<std::string>& requested,
                                        const std::string& indexPath) {
    std::vector<std::string> names;
    if (requested.empty()) {
        for (const auto& named : pair.entries()) {
            names.push_back(named.first);
        }
        return names;
    }
    std::set<std::string> seen;
    for (const std::string& name : requested) {
        const std::string entryName = EntryNameArgument(name, indexPath);
        if (seen.insert(entryName).second) {
            names.push_back(entryName);
        }
    }
    return names;
}

}  // namespace

int ExtractCommand(const PairPaths& paths, const std::string& folder, const std::vector<std::string>& requested,
                   bool overwrite) {
    const FilePair pair = OpenPair(paths.index, paths.image);
    if (!IsFolder(folder)) {
        throw ToolError(folder, "No such folder");
    }
    const FilePair::ExistingFile existing = overwrite ? FilePair::ExistingFile::Replace : FilePair::ExistingFile::Keep;
    bool failed = false;
    for (const std::string& name : NamesToExtract(pair, requested, paths.index)) {
        const std::string shown = EntryNameText(name);
        if (pair.find(name) == nullptr) {
            std::cerr << ErrorLine(kToolName, paths.index, "No entry named " + shown) << '\n';
            failed = true;
            continue;
        }
        // Entry names come from files of unknown origin; one like "..\x" or
        // "CON" must not write outside the folder or to a device.
        std::string fileName;
        if (!isSafeFileName(name) || !Windows1252ToSystemText(name, fileName)) {
            std::cerr << ErrorLine(kToolName, shown, "Refused: the entry name is not a safe file name") << '\n';
            failed = true;
            continue;
        }
        const std::string target = JoinPath(folder, fileName);
        try {
            // Whether the file exists is learnt from creating it: a look-up of
            // a name not yet there is what makes extracting slow under Wine.
            if (!pair.extract(name, target, -1, existing)) {
                std::cerr << ErrorLine(kToolName, target, "Skipped: the file exists (--force overwrites it)") << '\n';
                continue;
            }
        } catch (const Exception& failure) {
            std::cerr << ErrorLine(kToolName, target, failure.message) << '\n';
            failed = true;
            continue;
        }
        std::cout << target << '\n';
    }
    return failed ? kExitFailed : kExitSuccess;
}
