#include "folderimages.h"

#include "exceptions.h"
#include "folderlisting.h"
#include "imagefile.h"
#include "safefilename.h"

std::vector<FolderImage> imageFilesInFolder(const std::string& folder, bool recursive) {
    std::vector<FileInFolder> files;
    std::string unreadableFolder;
    if (!ListFilesInFolder(folder, recursive, files, unreadableFolder)) {
        THROW_AT_SITE(IOException, "Unable to read the folder", unreadableFolder);
    }
    std::vector<FolderImage> images;
    for (const FileInFolder& file : files) {
        // A name such as CON.PNG is a device on Windows: not looked into
        // here, but left to the insertion, which skips it.
        if (isSafeFileName(file.name) ? isReadableImage(file.path) : namesImageFormat(file.name)) {
            images.push_back(FolderImage{file.path, file.subfolders});
        }
    }
    return images;
}
