#include "atlaspairfiles.h"

#include "atlasimage.h"
#include "exceptions.h"
#include "safefile.h"
#include "toolerror.h"
#include "toolplatform.h"

namespace {

// The index reader's own failures; every other failure of opening a pair
// comes from loading the image, which is read first.
bool IsIndexFailure(const Exception& failure) {
    return failure.message == "Unable to open file" || failure.message == "Unable to read file";
}

} // namespace

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
        throw ToolError(IsIndexFailure(failure) ? indexPath : imagePath, failure.message);
    }
}

void SavePair(FilePair& pair, const std::string& indexPath, const std::string& imagePath) {
    // The staged image's own name says nothing of its format.
    const int format = formatForSaving(imagePath, FIF_UNKNOWN);
    if (format == FIF_UNKNOWN) {
        throw ToolError(imagePath, "Unknown image format: the file name needs an image extension such as .tga");
    }
    TemporaryFile stagedImage(imagePath);
    TemporaryFile stagedIndex(indexPath);
    if (!stagedImage.isCreated()) {
        throw ToolError(imagePath, "Unable to create file");
    }
    if (!stagedIndex.isCreated()) {
        throw ToolError(indexPath, "Unable to create file");
    }
    try {
        pair.saveImage(stagedImage.path(), format);
    } catch (const Exception& failure) {
        throw ToolError(imagePath, failure.message);
    }
    try {
        pair.saveIndex(stagedIndex.path());
    } catch (const Exception& failure) {
        throw ToolError(indexPath, failure.message);
    }
    if (!stagedImage.replaceTarget()) {
        throw ToolError(imagePath, "Unable to replace file");
    }
    if (!stagedIndex.replaceTarget()) {
        throw ToolError(indexPath, "Unable to replace file (the image was saved already)");
    }
}
