// Opens a pair whose index bytes come from the fuzzer, against a fixed
// 64 x 64 atlas. The document must be exactly what an independent reading of
// the bytes says, or the failure must be the one that reading predicts; its
// free space must be the atlas minus every record's cell.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "atlasinput.h"
#include "entrycell.h"
#include "exceptions.h"
#include "filepair.h"
#include "filepairtestseam.h"
#include "freespacemap.h"
#include "fuzzsupport.h"

namespace {

// Per pixel of the atlas: 1 inside some record's cell, plus 2 inside some
// free rectangle. Every pixel must be exactly one of the two.
void ExpectFreeSpaceIsTheRestOfTheAtlas(const FreeSpaceMap& freeSpace, const std::vector<AtlasEntry>& entries) {
    const std::uint32_t side = kFuzzAtlasSide;
    std::vector<std::uint8_t> marks(side * side, 0);
    for (const AtlasEntry& entry : entries) {
        const AtlasRect cell = cellOf(entry);
        for (std::uint32_t y = cell.y; y < cell.y + cell.height; ++y) {
            for (std::uint32_t x = cell.x; x < cell.x + cell.width; ++x) {
                marks[y * side + x] |= 1;
            }
        }
    }
    for (const AtlasRect& slot : freeSpace.freeRects()) {
        if (slot.width == 0 || slot.height == 0) {
            continue;
        }
        FUZZ_EXPECT(std::uint64_t{slot.x} + slot.width <= side && std::uint64_t{slot.y} + slot.height <= side);
        for (std::uint32_t y = slot.y; y < slot.y + slot.height; ++y) {
            for (std::uint32_t x = slot.x; x < slot.x + slot.width; ++x) {
                marks[y * side + x] |= 2;
            }
        }
    }
    for (const std::uint8_t mark : marks) {
        FUZZ_EXPECT(mark == 1 || mark == 2);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzAtlasPath();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string indexPath = ScratchPath("INPUT.PXA");
    WriteFileBytes(indexPath, data, size);
    const ExpectedIndex expected = ExpectedIndexOf(data, size);
    try {
        const FilePair pair(indexPath, FuzzAtlasPath());
        FUZZ_EXPECT(expected.outcome == ExpectedIndex::Opens);
        FUZZ_EXPECT(pair.entries() == expected.entries);
        FUZZ_EXPECT(!pair.isModified());
        FUZZ_EXPECT(pair.selected() == nullptr);
        ExpectFreeSpaceIsTheRestOfTheAtlas(freeSpaceOf(pair), expected.everyCell);
    } catch (const BadFileException& e) {
        FUZZ_EXPECT(expected.outcome == ExpectedIndex::Corrupt);
        FUZZ_EXPECT(e.message == "Bad or corrupted file:\n" + indexPath);
    } catch (const Exception& e) {
        FUZZ_EXPECT(expected.outcome == ExpectedIndex::Unreadable);
        FUZZ_EXPECT(e.message == "Unable to read file");
    }
    return 0;
}
