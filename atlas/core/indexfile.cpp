#include "indexfile.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <limits>
#include <stdexcept>

#include "entrycell.h"
#include "entryname.h"
#include "exceptions.h"
#include "freespacemap.h"
#include "littleendian.h"
#include "safefile.h"

namespace {

const std::size_t countSize = 4;
const std::size_t nameSize = maxEntryNameBytes;
const std::size_t recordSize = nameSize + 4 * 4 + 1;

bool readBytes(std::ifstream& file, unsigned char* bytes, std::size_t count) {
    return static_cast<bool>(file.read(reinterpret_cast<char*>(bytes), static_cast<std::streamsize>(count)));
}

std::string decodeName(const unsigned char* bytes) {
    const void* end = std::memchr(bytes, 0, nameSize);
    const std::size_t length =
        end ? static_cast<std::size_t>(static_cast<const unsigned char*>(end) - bytes) : nameSize;
    return std::string(reinterpret_cast<const char*>(bytes), length);
}

AtlasEntry decodeEntry(const unsigned char* record) {
    AtlasEntry entry;
    entry.x = ReadUint32Le(record + nameSize);
    entry.y = ReadUint32Le(record + nameSize + 4);
    entry.width = ReadUint32Le(record + nameSize + 8);
    entry.height = ReadUint32Le(record + nameSize + 12);
    entry.flag = record[nameSize + 16];
    return entry;
}

void encodeRecord(const std::string& name, const AtlasEntry& entry, unsigned char* record) {
    std::memset(record, 0, recordSize);
    // Names are cut at 64 bytes; a name of exactly 64 has no terminating zero.
    const std::size_t length = std::min(std::strlen(name.c_str()), nameSize);
    std::memcpy(record, name.data(), length);
    WriteUint32Le(entry.x, record + nameSize);
    WriteUint32Le(entry.y, record + nameSize + 4);
    WriteUint32Le(entry.width, record + nameSize + 8);
    WriteUint32Le(entry.height, record + nameSize + 12);
    record[nameSize + 16] = entry.flag;
}

}  // namespace

// The sums are 64-bit so that values near 2^32 cannot wrap into range.
bool cellFitsInAtlas(const AtlasEntry& entry, std::uint32_t atlasWidth, std::uint32_t atlasHeight) {
    return entry.x != 0 && entry.y != 0 && std::uint64_t{entry.x} + entry.width + 1 <= atlasWidth &&
           std::uint64_t{entry.y} + entry.height + 1 <= atlasHeight;
}

IndexFileReader::IndexFileReader(const std::string& fileName) : file_(fileName, std::ios::binary), fileName_(fileName) {
    if (!file_.is_open()) {
        THROW_AT_SITE(Exception, "Unable to open file", fileName);
    }
    unsigned char countBytes[countSize];
    if (!readBytes(file_, countBytes, countSize)) {
        THROW_AT_SITE(Exception, "Unable to read file", fileName);
    }
    entryCount_ = ReadUint32Le(countBytes);
}

IndexRecord IndexFileReader::next() {
    unsigned char record[recordSize];
    if (!readBytes(file_, record, recordSize)) {
        THROW_AT_SITE(Exception, "Unable to read file", fileName_);
    }
    return IndexRecord{decodeName(record), decodeEntry(record)};
}

std::vector<IndexRecord> readIndexRecords(const std::string& fileName) {
    IndexFileReader reader(fileName);
    // Never reserved by the count: a short file that claims billions of
    // records fails at its first missing record.
    std::vector<IndexRecord> records;
    for (std::uint32_t i = 0; i < reader.entryCount(); ++i) {
        records.push_back(reader.next());
    }
    return records;
}

void readIndex(const std::string& fileName, std::uint32_t atlasWidth, std::uint32_t atlasHeight, EntryTable& entries,
               FreeSpaceMap& freeSpace) {
    IndexFileReader reader(fileName);
    const std::uint64_t stepsBefore = freeSpace.usage().steps;
    // Each record is judged as soon as it is read, so a corrupt record is
    // reported even when the file also ends early after it.
    for (std::uint32_t i = 0; i < reader.entryCount(); ++i) {
        const IndexRecord record = reader.next();
        const AtlasEntry& entry = record.entry;
        if (!cellFitsInAtlas(entry, atlasWidth, atlasHeight)) {
            THROW_AT_SITE(BadFileException, fileName);
        }
        entries.emplace(upperCaseAscii(record.name), entry);
        // In 64 bits, and no more than a size_t holds on a 32-bit system.
        const std::uint64_t records = std::uint64_t{i} + 1;
        const std::uint64_t bytes = freeSpaceForReading.bytes + freeSpacePerRecord.bytes * records;
        freeSpace.limit(FreeSpaceLimits{
            static_cast<std::size_t>(std::min<std::uint64_t>(bytes, std::numeric_limits<std::size_t>::max())),
            stepsBefore + freeSpaceForReading.steps + freeSpacePerRecord.steps * records});
        try {
            // Also for a repeated name: its pixels are in the atlas all the same.
            const AtlasRect cell = cellOf(entry);
            freeSpace.occupy(cell.x, cell.y, cell.width, cell.height);
        } catch (const std::length_error&) {
            THROW_AT_SITE(BadFileException, fileName);
        }
    }
    freeSpace.limit(FreeSpaceLimits{});
}

void writeIndex(const StagedFile& staged, const EntryTable& entries) {
    const std::string& fileName = staged.target();
    if (!staged.isCreated()) {
        THROW_AT_SITE(FileException, "Unable to create file", fileName);
    }
    if (entries.size() > std::numeric_limits<std::uint32_t>::max()) {
        THROW_AT_SITE(FileException, "Unable to write to file", fileName);
    }
    std::ofstream file(staged.path(), std::ios::binary | std::ios::trunc);
    if (!file.is_open()) {
        THROW_AT_SITE(FileException, "Unable to create file", fileName);
    }
    unsigned char countBytes[countSize];
    WriteUint32Le(static_cast<std::uint32_t>(entries.size()), countBytes);
    if (!file.write(reinterpret_cast<const char*>(countBytes), countSize)) {
        THROW_AT_SITE(FileException, "Unable to write to file", fileName);
    }
    for (const auto& [name, entry] : entries) {
        unsigned char record[recordSize];
        encodeRecord(name, entry, record);
        if (!file.write(reinterpret_cast<const char*>(record), recordSize)) {
            THROW_AT_SITE(FileException, "Unable to write to file", fileName);
        }
    }
    // Closing flushes the last bytes; a failure there is as bad as any other.
    file.close();
    if (!file) {
        THROW_AT_SITE(FileException, "Unable to write to file", fileName);
    }
}

void writeIndex(const std::string& fileName, const EntryTable& entries) {
    SaveUnit unit({fileName});
    writeIndex(unit.file(0), entries);
    if (!unit.replaceTargets().succeeded()) {
        THROW_AT_SITE(FileException, "Unable to write to file", fileName);
    }
}
