// How names of atlas entries are formed.
#pragma once

#include <string>

// ASCII a-z become A-Z; every other byte, 128-255 included, stays as it is.
std::string upperCaseAscii(std::string text);

// The file name part of a path (after the last '\' or '/'), upper-cased.
std::string entryNameFromPath(const std::string& path);
