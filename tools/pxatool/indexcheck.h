// Judging an index file as stored, beyond what opening it tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "indexrecords.h"

// One line per finding, in record order (records counted from 1): cells that
// leave the atlas, entries of zero width or height, empty names, names that
// repeat an earlier one with ASCII case ignored, and cells that overlap the
// cell of an earlier record. Empty when the index is sound.
std::vector<std::string> FindIndexProblems(const std::vector<IndexRecord>& records, std::uint32_t atlasWidth,
                                           std::uint32_t atlasHeight);
