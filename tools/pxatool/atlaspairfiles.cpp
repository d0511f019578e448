#include "atlaspairfiles.h"

#include <iostream>

#include "exceptions.h"
#include "imagefile.h"
#include "paircommands.h"
#include "saverecovery.h"
#include "toolerror.h"
#include "folderlisting.h"

void RequireExisting(const std::string& path) {
    if (!PathExists(path)) {
        throw ToolError(path, "No such file");
    }
}

void RecoverPair(const std::string& indexPath, const std::string& imagePath) {
    for (const RecoveryNotice& notice : RecoverSavesOf({indexPath, imagePath})) {
        std::cerr << ErrorLine(kToolName, notice.file, notice.note) << '\n';
    }
}

FilePair OpenPair(const std::string& indexPath, const std::string& imagePath) {
    // Before anything else: a save cut short may have left a file missing.
    RecoverPair(indexPath, imagePath);
    RequireExisting(imagePath);
    RequireExisting(indexPath);
    try {
        FilePair pair(indexPath, imagePath);
        pair.limitHistory(0);  // a command is never taken back: its steps need no memory
        return pair;
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
        for (const std::string& left : pair.savePair(indexPath, imagePath, -1)) {
            std::cerr << ErrorLine(kToolName, left, "Saved, but this old file could not be removed") << '\n';
        }
    } catch (const FileException& failure) {
        throw ToolError(failure.fileName,
                        failure.note.empty() ? failure.message : failure.message + ". " + failure.note);
    }
}
