// Judging a string table beyond what the reader tests.
#pragma once

#include <string>
#include <vector>

#include "stringtable.h"

// One line per finding, in table order (entries counted from 1): names that
// repeat an earlier one with ASCII case ignored, keys that are not the CRC of
// their name, and keys that an earlier entry of a different name has too.
std::vector<std::string> FindTableProblems(const StringTable& table);
