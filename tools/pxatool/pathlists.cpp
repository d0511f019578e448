#include "pathlists.h"

#include <algorithm>

#include "filepath.h"
#include "imagefile.h"
#include "safefilename.h"
#include "toolerror.h"
#include "toolplatform.h"

namespace {

void AddImageFiles(const std::string& folder, const std::string& subfolders, bool recursive,
                   std::vector<FoundFile>& files) {
    std::vector<FolderItem> items = ListFolder(folder);
    // Listings come in whatever order the file system keeps; placement of
    // images of equal area depends on the order they are given in.
    std::sort(items.begin(), items.end(), [](const FolderItem& a, const FolderItem& b) { return a.name < b.name; });
    for (const FolderItem& item : items) {
        const std::string path = JoinPath(folder, item.name);
        if (item.isRegularFile) {
            // A name such as CON.PNG is a device on Windows: not looked into
            // here, but left to the insertion, which skips it.
            if (isSafeFileName(item.name) ? isReadableImage(path) : namesImageFormat(item.name)) {
                files.push_back(FoundFile{path, subfolders, true});
            }
        } else if (item.isFolder && recursive && !item.isLink) {
            AddImageFiles(path, subfolders + item.name + "/", recursive, files);
        }
    }
}

}  // namespace

std::vector<FoundFile> ImageFilesOf(const std::vector<std::string>& arguments, bool recursive) {
    std::vector<FoundFile> files;
    for (const std::string& argument : arguments) {
        if (!IsFolder(argument)) {
            files.push_back(FoundFile{argument, std::string(), false});
            continue;
        }
        const std::size_t before = files.size();
        AddImageFiles(argument, std::string(), recursive, files);
        if (files.size() == before) {
            throw ToolError(argument, "No image files in the folder");
        }
    }
    return files;
}
