// The few places where the tools meet the operating system.
#pragma once

#include <string>
#include <vector>

// The program's arguments without its name. With `asUtf8` they are read as
// UTF-8 on every system (on Windows from the UTF-16 command line); otherwise
// they are the bytes of the system's 8-bit code page, as the editors see them.
std::vector<std::string> ProgramArguments(int argc, char** argv, bool asUtf8);

// A UTF-8 path as the 8-bit file functions of this system take it: unchanged
// on POSIX, in the system's ANSI code page on Windows. Throws ToolError when
// the path has characters that code page cannot hold.
std::string NativePath(const std::string& utf8Path);

// The inverse of NativePath for text of this system's 8-bit code page, such
// as names from an index file: as UTF-8. On POSIX, where that code page is
// UTF-8, bytes that are not valid UTF-8 are read as Windows-1252.
std::string SystemTextToUtf8(const std::string& text);

// Entry names are Windows-1252 bytes on every system, so that one folder
// gives the same pair on each. File names and command lines are in the
// system's own text: UTF-8 on POSIX, the ANSI code page on Windows (where
// that is Windows-1252 both are the same bytes). False, with `problem` saying
// why, when a character cannot be had in the other encoding; on Windows a
// '?', which no file name holds, stands for a character the code page lacks
// in names the system lists.
bool SystemTextToWindows1252(const std::string& text, std::string& bytes, std::string& problem);
bool Windows1252ToSystemText(const std::string& bytes, std::string& text);

// Lines end in "\n" alone on every system, so output compares and pipes alike.
void UseBinaryStandardStreams();

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

// What a folder holds, without "." and "..", in no particular order.
// Throws ToolError(folder, ...) when the folder cannot be read.
std::vector<FolderItem> ListFolder(const std::string& folder);
