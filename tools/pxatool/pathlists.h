// The files a command works on, from the paths on its command line.
#pragma once

#include <string>
#include <vector>

// The arguments with every folder replaced by the image files directly in it
// (with `recursive`, also those in its subfolders, but not through linked
// folders), taken in byte order of their names; a subfolder's files come at
// the subfolder's place in that order. An image file is one that FreeImage
// can read by its content or its extension. Other arguments stay as they
// are. Throws ToolError for a folder without image files.
std::vector<std::string> ImageFilesOf(const std::vector<std::string>& arguments, bool recursive);
