#include "atlasinput.h"

#include "bitmap.h"
#include "fuzzsupport.h"
#include "littleendian.h"

namespace {

constexpr std::size_t kNameSize = 64;
constexpr std::size_t kRecordSize = kNameSize + 4 * 4 + 1;

std::string UpperCaseNameAt(const std::uint8_t* bytes) {
    std::string name;
    for (std::size_t i = 0; i < kNameSize && bytes[i] != 0; ++i) {
        const char c = static_cast<char>(bytes[i]);
        name += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return name;
}

// Written as plain 64-bit arithmetic, the way a reviewer would check it.
bool CellInsideAtlas(const AtlasEntry& e) {
    const std::uint64_t side = kFuzzAtlasSide;
    return e.x >= 1 && e.y >= 1 && e.x + std::uint64_t{e.width} + 1 <= side &&
           e.y + std::uint64_t{e.height} + 1 <= side;
}

std::string WriteAtlas() {
    const std::string path = ScratchPath("ATLAS.TGA");
    UniqueBitmap atlas = allocateBitmap(kFuzzAtlasSide, kFuzzAtlasSide);
    FUZZ_EXPECT(atlas != nullptr);
    FUZZ_EXPECT(FreeImage_Save(FIF_TARGA, atlas.get(), path.c_str(), 0));
    return path;
}

}  // namespace

const std::string& FuzzAtlasPath() {
    static const std::string path = WriteAtlas();
    return path;
}

ExpectedIndex ExpectedIndexOf(const std::uint8_t* data, std::size_t size) {
    ExpectedIndex expected;
    if (size < 4) {
        expected.outcome = ExpectedIndex::Unreadable;
        return expected;
    }
    const std::uint32_t count = ReadUint32Le(data);
    std::size_t offset = 4;
    for (std::uint32_t i = 0; i < count; ++i, offset += kRecordSize) {
        if (size - offset < kRecordSize) {
            expected.outcome = ExpectedIndex::Unreadable;
            return expected;
        }
        const std::uint8_t* record = data + offset;
        AtlasEntry entry;
        entry.x = ReadUint32Le(record + kNameSize);
        entry.y = ReadUint32Le(record + kNameSize + 4);
        entry.width = ReadUint32Le(record + kNameSize + 8);
        entry.height = ReadUint32Le(record + kNameSize + 12);
        entry.flag = record[kNameSize + 16];
        if (!CellInsideAtlas(entry)) {
            expected.outcome = ExpectedIndex::Corrupt;
            return expected;
        }
        expected.entries.emplace(UpperCaseNameAt(record), entry);
        expected.everyCell.push_back(entry);
    }
    return expected;
}
