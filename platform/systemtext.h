// Text as this system's 8-bit functions take and give it, for file names and
// command lines: UTF-8 on POSIX, the ANSI code page on Windows. Reports by
// its results.
#pragma once

#include <string>

// Why a text could not be had in another encoding.
enum class SystemTextResult {
    Converted,
    NotUtf8,          // the UTF-8 given is not well-formed
    CodePageLacks,    // a character has no place in the system's code page
    Windows1252Lacks  // a character has no place in Windows-1252
};

// UTF-8 as the system's text: NotUtf8 or CodePageLacks when it cannot be.
SystemTextResult Utf8ToSystemText(const std::string& utf8, std::string& text);

// The inverse of Utf8ToSystemText, for text such as names from an index file:
// as UTF-8. On POSIX, bytes that are not valid UTF-8 are read as
// Windows-1252; on Windows, text the code page cannot convert too.
std::string SystemTextToUtf8(const std::string& text);

// Names kept in the game's files are Windows-1252 bytes on every system, so
// that one folder gives the same names on each. A '?' (on Windows: what stands for a
// character the code page lacks in names the system lists; no file name holds
// one) gives CodePageLacks there; a character Windows-1252 lacks gives
// Windows1252Lacks; on POSIX, bytes that are not UTF-8 give NotUtf8.
SystemTextResult SystemTextToWindows1252(const std::string& text, std::string& bytes);

// False when a character of `bytes` has no place in the system's text.
bool Windows1252ToSystemText(const std::string& bytes, std::string& text);
