#include "pathlists.h"

#include <algorithm>

#include "filepath.h"
#include "imagefile.h"
#include "toolerror.h"
#include "toolplatform.h"

namespace {

void AddImageFiles(const std::string& folder, bool recursive, std::vector<std::string>& files) {
    std::vector<FolderItem> items = ListFolder(folder);
    // Listings come in whatever order the file system keeps; placement of
    // images of equal area depends on the order they are given in.
    std::sort(items.begin(), items.end(), [](const FolderItem& a, const FolderItem& b) { return a.name < b.name; });
    for (const FolderItem& item : items) {
        const std::string path = JoinPath(folder, item.name);
        if (item.isRegularFile) {
            if (isReadableImage(path)) {
                files.push_back(path);
            }
        } else if (item.isFolder && recursive && !item.isLink) {
            AddImageFiles(path, recursive, files);
        }
    }
}

}  // namespace

std::vector<std::string> ImageFilesOf(const std::vector<std::string>& arguments, bool recursive) {
    std::vector<std::string> files;
    for (const std::string& argument : arguments) {
        if (!IsFolder(argument)) {
            files.push_back(argument);
            continue;
        }
        const std::size_t before = files.size();
        AddImageFiles(argument, recursive, files);
        if (files.size() == before) {
            throw ToolError(argument, "No image files in the folder");
        }
    }
    return files;
}
