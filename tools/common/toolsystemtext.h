// Paths and names from the command line in the system's text (systemtext.h),
// with the reasons the tools give when one cannot be had.
#pragma once

#include <string>

// A UTF-8 path as the 8-bit file functions of this system take it: unchanged
// on POSIX, in the system's ANSI code page on Windows. Throws ToolError when
// the path has characters that code page cannot hold.
std::string NativePath(const std::string& utf8Path);

// SystemTextToWindows1252 of systemtext.h; false, with `problem` saying why in
// the words of the tools' messages, when `text` cannot be had in Windows-1252.
bool SystemTextToWindows1252(const std::string& text, std::string& bytes, std::string& problem);
