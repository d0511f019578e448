#include "indexwriter.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "littleendian.h"

Bytes readFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path);
    }
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

Bytes indexBytesWithCount(std::uint32_t claimedCount, const std::vector<IndexRecordSpec>& records) {
    Bytes bytes;
    bytes.reserve(4 + records.size() * 81);
    AppendUint32Le(bytes, claimedCount);
    for (const IndexRecordSpec& record : records) {
        unsigned char name[maxEntryNameBytes] = {};
        std::memcpy(name, record.name.data(), std::min(record.name.size(), maxEntryNameBytes));
        bytes.insert(bytes.end(), name, name + maxEntryNameBytes);
        for (const std::uint32_t value : {record.entry.x, record.entry.y, record.entry.width, record.entry.height}) {
            AppendUint32Le(bytes, value);
        }
        bytes.push_back(record.entry.flag);
    }
    return bytes;
}

Bytes indexBytes(const std::vector<IndexRecordSpec>& records) {
    return indexBytesWithCount(static_cast<std::uint32_t>(records.size()), records);
}
