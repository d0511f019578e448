#include "folderlisting.h"

#include <dirent.h>
#include <sys/stat.h>

#include "uniquehandle.h"

namespace {

struct DirectoryTraits {
    using Value = DIR*;
    static Value invalid() { return nullptr; }
    static bool close(Value directory) { return closedir(directory) == 0; }
};

}  // namespace

bool IsFolder(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

bool ListFolder(const std::string& folder, std::vector<FolderItem>& items) {
    items.clear();
    const UniqueResource<DirectoryTraits> directory(opendir(folder.c_str()));
    if (!directory) {
        return false;
    }
    while (const dirent* found = readdir(directory.get())) {
        const std::string name = found->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        const std::string path = folder + "/" + name;
        struct stat status;
        struct stat linkStatus;
        FolderItem item;
        item.name = name;
        const bool known = stat(path.c_str(), &status) == 0;
        item.isFolder = known && S_ISDIR(status.st_mode);
        item.isRegularFile = known && S_ISREG(status.st_mode);
        item.isLink = lstat(path.c_str(), &linkStatus) == 0 && S_ISLNK(linkStatus.st_mode);
        items.push_back(item);
    }
    return true;
}
