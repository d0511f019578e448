// Index files made byte by byte, and whole files read and written as bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "atlasentry.h"

using Bytes = std::vector<unsigned char>;

Bytes readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const Bytes& bytes);

struct IndexRecordSpec {
    std::string name;  // at most 64 bytes are stored
    AtlasEntry entry;
};
Bytes indexBytes(const std::vector<IndexRecordSpec>& records);
// With a count other than the records', for files cut short or lying.
Bytes indexBytesWithCount(std::uint32_t claimedCount, const std::vector<IndexRecordSpec>& records);
