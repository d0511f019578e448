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

// The arguments with every folder replaced by the image files that
// imageFilesInFolder finds in it; other arguments stay as they are. Throws
// ToolError for a folder without image files or one that cannot be read.
std::vector<FoundFile> ImageFilesOf(const std::vector<std::string>& arguments, bool recursive);
