#include "folderlisting.h"

#include <algorithm>

#include "filepath.h"

namespace {

bool AddFiles(const std::string& folder, const std::string& subfolders, bool recursive,
              std::vector<FileInFolder>& files, std::string& unreadableFolder) {
    std::vector<FolderItem> items;
    if (!ListFolder(folder, items)) {
        unreadableFolder = folder;
        return false;
    }
    std::sort(items.begin(), items.end(), [](const FolderItem& a, const FolderItem& b) { return a.name < b.name; });
    for (const FolderItem& item : items) {
        const std::string path = JoinPath(folder, item.name);
        if (item.isRegularFile) {
            files.push_back(FileInFolder{item.name, path, subfolders});
        } else if (item.isFolder && recursive && !item.isLink &&
                   !AddFiles(path, subfolders + item.name + "/", recursive, files, unreadableFolder)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool ListFilesInFolder(const std::string& folder, bool recursive, std::vector<FileInFolder>& files,
                       std::string& unreadableFolder) {
    files.clear();
    return AddFiles(folder, std::string(), recursive, files, unreadableFolder);
}
