#include "atlaspairfiles.h"

#include "exceptions.h"
#include "imagefile.h"
#include "toolerror.h"
#include "toolplatform.h"

void RequireExisting(const std::string& path) {
    if (!PathExists(path)) {
        throw ToolError(path, "No such file");
    }
}

FilePair OpenPair(const std::string& indexPath, const std::string& imagePath) {
    RequireExisting(imagePath);
    RequireExisting(indexPath);
    try {
        return FilePair(indexPath, imagePath);
    } catch (const BadFileException&) {
        throw ToolError(indexPath, "Bad or corrupted file: a record's cell leaves the atlas (pxatool check names it)");
    } catch (const Exception& failure) {
        throw ToolError(failure.fileName.empty() ? imagePath : failure.fileName, failure.message);
    }
}

void SavePair(FilePair& pair, const std::string& indexPath, const std::string& imagePath) {
    if (!namesImageFormat(imagePath)) {
        throw ToolError(imagePath, "Unknown image format: the file name needs an image extension such as .tga");
    }
    try {
        pair.savePair(indexPath, imagePath, -1);
    } catch (const FileException& failure) {
        throw ToolError(failure.fileName,
                        failure.note.empty() ? failure.message : failure.message + ". " + failure.note);
    }
}
