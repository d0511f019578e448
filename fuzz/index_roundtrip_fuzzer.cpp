// Whatever index opens against the fixed atlas is saved, opened again and
// saved again: the second document has the same entries as the first, and
// both saves write the same bytes, 4 + 81 per entry.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "atlasinput.h"
#include "exceptions.h"
#include "filepair.h"
#include "filepairtestseam.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzAtlasPath();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string indexPath = ScratchPath("INPUT.PXA");
    const std::string firstSave = ScratchPath("FIRST.PXA");
    const std::string secondSave = ScratchPath("SECOND.PXA");
    WriteFileBytes(indexPath, data, size);
    std::optional<FilePair> first;
    try {
        first.emplace(indexPath, FuzzAtlasPath());
    } catch (const Exception&) {
        return 0;  // inputs that do not open are the reader fuzzer's business
    }
    // From here on nothing may throw: an escaping exception ends the process
    // and libFuzzer keeps the input.
    first->saveIndex(firstSave);
    FilePair second(firstSave, FuzzAtlasPath());
    FUZZ_EXPECT(second.entries() == first->entries());
    second.saveIndex(secondSave);
    const std::string firstBytes = ReadFileBytes(firstSave);
    FUZZ_EXPECT(firstBytes.size() == 4 + 81 * first->entries().size());
    FUZZ_EXPECT(ReadFileBytes(secondSave) == firstBytes);
    return 0;
}
