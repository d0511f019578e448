#include "pathlists.h"

#include "exceptions.h"
#include "folderimages.h"
#include "folderlisting.h"
#include "toolerror.h"

std::vector<FoundFile> ImageFilesOf(const std::vector<std::string>& arguments, bool recursive) {
    std::vector<FoundFile> files;
    for (const std::string& argument : arguments) {
        if (!IsFolder(argument)) {
            files.push_back(FoundFile{argument, std::string(), false});
            continue;
        }
        std::vector<FolderImage> images;
        try {
            images = imageFilesInFolder(argument, recursive);
        } catch (const IOException& failure) {
            throw ToolError(failure.fileName, failure.message);
        }
        if (images.empty()) {
            throw ToolError(argument, "No image files in the folder");
        }
        for (const FolderImage& image : images) {
            files.push_back(FoundFile{image.path, image.subfolders, true});
        }
    }
    return files;
}
