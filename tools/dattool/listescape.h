// The escapes of dattool's line output: a backslash, tab, CR and LF become
// \\, \t, \r and \n, so every entry stays on one line with its tab-separated
// fields apart.
#pragma once

#include <string>

std::string EscapeForLine(const std::string& text);

// The inverse, for texts given on the command line. False for a backslash
// that does not start one of the four escapes.
bool UnescapeLine(const std::string& text, std::string& unescaped);
