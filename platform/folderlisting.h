// What is at a path, what a folder holds, and the files a folder tree holds.
// Reports by its results.
#pragma once

#include <string>
#include <vector>

// True when `path` names an existing folder / an existing file system object.
bool IsFolder(const std::string& path);
bool PathExists(const std::string& path);

// One thing inside a folder. A link (on Windows: a reparse point such as a
// junction) may lead back up the tree, so walks do not follow linked folders.
// Only a regular file (or a link to one) is worth opening: a FIFO, a device
// or a socket may block the reader or is not a file of data at all.
struct FolderItem {
    std::string name;
    bool isFolder = false;
    bool isRegularFile = false;
    bool isLink = false;
};

// What `folder` holds, without "." and "..", in no particular order; false
// when the folder cannot be read.
bool ListFolder(const std::string& folder, std::vector<FolderItem>& items);

// A regular file that ListFilesInFolder found.
struct FileInFolder {
    std::string name;
    std::string path;  // the folder named and `name`, joined by JoinPath
    // The folders between the folder named and the file, each followed by a
    // '/'; empty for a file directly in it.
    std::string subfolders;
};

// The regular files directly in `folder` (with `recursive`, also those in its
// subfolders, but not through linked folders), in byte order of their names;
// a subfolder's files come at the subfolder's place in that order, so that
// the result does not depend on the order the file system keeps. False, with
// `unreadableFolder` naming it, when a folder cannot be read; `files` then
// holds what came before it.
bool ListFilesInFolder(const std::string& folder, bool recursive, std::vector<FileInFolder>& files,
                       std::string& unreadableFolder);
