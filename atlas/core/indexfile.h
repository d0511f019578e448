// Reading and writing the .pxa index file (its records: indexrecords.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "indexrecords.h"

class FreeSpaceMap;
class StagedFile;

// Reads the records of an index file one at a time, in file order. Throws
// "Unable to open file" and "Unable to read file" as readIndex does.
class IndexFileReader {
public:
    explicit IndexFileReader(const std::string& fileName);
    std::uint32_t entryCount() const { return entryCount_; }
    // The next record; call it at most entryCount() times.
    IndexRecord next();

private:
    std::ifstream file_;
    std::string fileName_;
    std::uint32_t entryCount_ = 0;
};

// What taking the cells of an index out of free space may cost the map, in
// memory and in work, each an allowance and a share for every record read
// so far: 60 MB and about a second for a file of 1 MB (12,945 records). The
// files the editor writes need a fraction of it (see the tests); a file that
// needs more was made to fragment free space and is refused as corrupt.
struct FreeSpaceAllowance {
    std::size_t bytes;
    std::uint64_t steps;
};
constexpr FreeSpaceAllowance freeSpaceForReading{std::size_t{48} << 20, std::uint64_t{1} << 24};
constexpr FreeSpaceAllowance freeSpacePerRecord{1024, 16384};

// Adds the records of fileName to entries (upper-cased names; a repeated name
// keeps its first record) and takes every record's cell out of freeSpace. A
// record whose cell leaves the atlasWidth x atlasHeight atlas is corrupt, and
// so is a file whose cells need more than the limits above.
void readIndex(const std::string& fileName, std::uint32_t atlasWidth, std::uint32_t atlasHeight, EntryTable& entries,
               FreeSpaceMap& freeSpace);

// Writes entries in table order into a file staged beside its target. Throws
// FileException naming the target: "Unable to create file" when the staged
// file could not be made, "Unable to write to file" when writing failed.
void writeIndex(const StagedFile& staged, const EntryTable& entries);

// Writes entries in table order. The previous file stays intact until the new
// one is complete; failures as above.
void writeIndex(const std::string& fileName, const EntryTable& entries);
