#include "filedrop.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

#include "editorapp.h"
#include "entryname.h"
#include "imagefile.h"
#include "safefilename.h"
#include "entrycommands.h"
#include "filedialog.h"
#include "filepath.h"

namespace {

// FindFirstFileA returns INVALID_HANDLE_VALUE, not null, when it fails.
struct SearchCloser {
    void operator()(HANDLE search) const {
        if (search != INVALID_HANDLE_VALUE) {
            FindClose(search);
        }
    }
};

bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The files directly in the folder that FreeImage reads, sorted so that a drop
// asks its questions and packs in the same order whatever the file system
// lists first. A folder that cannot be read has none.
std::vector<std::string> imageFilesIn(const std::string& folder) {
    std::vector<std::string> paths;
    WIN32_FIND_DATAA found;
    const std::unique_ptr<void, SearchCloser> search(FindFirstFileA(JoinPath(folder, "*").c_str(), &found));
    if (search.get() == INVALID_HANDLE_VALUE) {
        return paths;
    }
    do {
        const std::string path = JoinPath(folder, found.cFileName);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            continue;
        }
        // A name such as CON.PNG is a device: not looked into here, but left
        // to the insertion, which skips it.
        if (isSafeFileName(found.cFileName) ? isReadableImage(path) : namesImageFormat(path)) {
            paths.push_back(path);
        }
    } while (FindNextFileA(search.get(), &found));
    std::sort(paths.begin(), paths.end());
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
        if (!isFolder(path)) {
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
