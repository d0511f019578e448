// The image files a folder stands for when it is given in place of files, for
// the editor's drops and the tool's insertions alike.
#pragma once

#include <string>
#include <vector>

struct FolderImage {
    std::string path;  // the folder and the file's name, joined by JoinPath
    // The folders between the folder given and the file, each followed by a
    // '/'; empty for a file directly in it.
    std::string subfolders;
};

// The image files directly in `folder` (with `recursive`, also those in its
// subfolders, but not through linked folders), in byte order of their names;
// a subfolder's files come at the subfolder's place in that order, so that
// insertions ask and pack in the same order whatever the file system lists
// first. An image file is a regular file that FreeImage can read by its
// content or its extension; a file whose name cannot be a file name on
// Windows (such as CON.PNG) is not opened, but taken when its extension names
// an image format, for the insertion to skip. Throws IOException("Unable to
// read the folder", folder) naming the first folder that cannot be read.
std::vector<FolderImage> imageFilesInFolder(const std::string& folder, bool recursive);
