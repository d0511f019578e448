// The .pxa index file: a 32-bit entry count, then one 81-byte record per
// entry (64-byte name, x, y, width, height, flag). Integers are unsigned
// 32-bit little-endian whatever the host.
#pragma once

#include <cstdint>
#include <string>

#include "atlasentry.h"

class FreeSpaceMap;

// Adds the records of fileName to entries (upper-cased names; a repeated name
// keeps its first record) and takes every record's cell out of freeSpace. A
// record whose cell leaves the atlasWidth x atlasHeight atlas is corrupt.
void readIndex(const std::string& fileName, std::uint32_t atlasWidth, std::uint32_t atlasHeight,
               EntryTable& entries, FreeSpaceMap& freeSpace);

// Writes entries in table order. The previous file stays intact until the new
// one is complete.
void writeIndex(const std::string& fileName, const EntryTable& entries);
