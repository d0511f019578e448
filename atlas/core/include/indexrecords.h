// The .pxa index file: a 32-bit entry count, then one 81-byte record per
// entry (64-byte name, x, y, width, height, flag). Integers are unsigned
// 32-bit little-endian whatever the host.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "atlasentry.h"

// One record as the file stores it: the name is its bytes up to the first
// zero, letter case untouched, and nothing has been checked against an atlas.
struct IndexRecord {
    std::string name;
    AtlasEntry entry;
};

// Whether the entry's cell (its rectangle and one pixel around it) lies inside
// an atlas of that size: the test every record passes when a pair is opened.
bool cellFitsInAtlas(const AtlasEntry& entry, std::uint32_t atlasWidth, std::uint32_t atlasHeight);

// Every record of the file as stored, repeated names and cells outside any
// atlas included: what tools that judge an index file need to see. Throws
// Exception "Unable to open file" or "Unable to read file" naming the file.
std::vector<IndexRecord> readIndexRecords(const std::string& fileName);
