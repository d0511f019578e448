#include "filedrop.h"

#include <windows.h>

#include <map>
#include <set>

#include "editorapp.h"
#include "entrycommands.h"
#include "entryname.h"
#include "exceptions.h"
#include "folderimages.h"
#include "folderlisting.h"

namespace {

// The image files directly in the folder, in the order a drop asks its
// questions and packs them. A folder that cannot be read has none.
std::vector<std::string> imageFilesIn(const std::string& folder) {
    std::vector<std::string> paths;
    try {
        for (const FolderImage& image : imageFilesInFolder(folder, false)) {
            paths.push_back(image.path);
        }
    } catch (const IOException&) {
        paths.clear();
    }
    return paths;
}

// Two dropped files, or images of dropped folders, that would get one entry
// name: one would silently replace the other, so the drop names them all and
// inserts nothing.
std::string sameNamesText(const std::vector<std::string>& paths) {
    std::map<std::string, std::string> firstWithName;
    std::string text;
    for (const std::string& path : paths) {
        const auto [first, isNew] = firstWithName.emplace(entryNameFromPath(path), path);
        if (!isNew) {
            text += "\n" + first->first + ":\n" + first->second + "\n" + path + "\n";
        }
    }
    return text.empty()
               ? text
               : "These dropped files would get the same entry names:\n" + text + "\nNothing has been inserted.";
}

}  // namespace

void InsertDroppedFiles(EditorApp& app, const std::vector<std::string>& dropped) {
    std::vector<std::string> paths;
    std::set<std::string> inFolders;
    for (const std::string& path : dropped) {
        if (!IsFolder(path)) {
            paths.push_back(path);
            continue;
        }
        const std::vector<std::string> images = imageFilesIn(path);
        paths.insert(paths.end(), images.begin(), images.end());
        inFolders.insert(images.begin(), images.end());
    }
    if (paths.empty()) {
        app.ui.messageBox(app.mainWindow, "There are no image files in the dropped folder.", nullptr, MB_ICONERROR);
        return;
    }
    const std::string sameNames = sameNamesText(paths);
    if (!sameNames.empty()) {
        app.ui.messageBox(app.mainWindow, sameNames.c_str(), nullptr, MB_ICONERROR);
        return;
    }
    // A folder's images go in as far as they can be read; files dropped
    // themselves all go in or none, as chosen ones do.
    InsertFilePaths(app, paths, inFolders);
}
