// How names of atlas entries are formed.
#pragma once

#include <string>

// ASCII a-z become A-Z; every other byte, 128-255 included, stays as it is.
std::string upperCaseAscii(std::string text);

// The file name part of a path (after the last '\' or '/'), upper-cased.
std::string entryNameFromPath(const std::string& path);

// Whether an index record keeps the name whole (maxEntryNameBytes at most).
// A longer name would be cut when saved, which could make two entries one.
bool fitsIndexRecord(const std::string& name);
