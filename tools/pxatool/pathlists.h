// The files a command works on, from the paths on its command line.
#pragma once

#include <string>
#include <vector>

// A file to work on: named on the command line, or found in a folder that was.
struct FoundFile {
    std::string path;
    // The folders between the folder named and the file, each followed by a
    // '/'; empty for a file directly in it or named itself.
    std::string subfolders;
    bool inFolder = false;
};

// The arguments with every folder replaced by the image files directly in it
// (with `recursive`, also those in its subfolders, but not through linked
// folders), taken in byte order of their names; a subfolder's files come at
// the subfolder's place in that order. An image file is one that FreeImage
// can read by its content or its extension; a file whose name cannot be a
// file name on Windows (such as CON.PNG) is not opened, but taken when its
// extension names an image format, for the insertion to skip. Other
// arguments stay as they are. Throws ToolError for a folder without image
// files.
std::vector<FoundFile> ImageFilesOf(const std::vector<std::string>& arguments, bool recursive);
