// Whatever ReadStringTable accepts is written with WriteStringTable, read and
// written again. The first write is the input's own bytes up to the end of the
// last name (the writer neither sorts nor rekeys), the second read has the
// same entries in the same order, and the second write equals the first.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "datinput.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string inputPath = ScratchPath("INPUT.DAT");
    const std::string firstPath = ScratchPath("FIRST.DAT");
    const std::string secondPath = ScratchPath("SECOND.DAT");
    WriteFileBytes(inputPath, data, size);

    const DatReadResult first = ReadStringTable(inputPath.c_str());
    if (first.status != DatReadStatus::Read) {
        return 0;  // refused inputs are the reader fuzzer's business
    }
    FUZZ_EXPECT(WriteStringTable(*first.table, firstPath.c_str()) == DatWriteStatus::Written);
    const std::string firstBytes = ReadFileBytes(firstPath);
    FUZZ_EXPECT(firstBytes.size() <= size);
    FUZZ_EXPECT(firstBytes.size() == ExpectedTableOf(data, size).bytesUsed);
    FUZZ_EXPECT(std::memcmp(firstBytes.data(), data, firstBytes.size()) == 0);

    const DatReadResult second = ReadStringTable(firstPath.c_str());
    FUZZ_EXPECT(second.status == DatReadStatus::Read);
    FUZZ_EXPECT(ContentOf(*second.table) == ContentOf(*first.table));
    FUZZ_EXPECT(WriteStringTable(*second.table, secondPath.c_str()) == DatWriteStatus::Written);
    FUZZ_EXPECT(ReadFileBytes(secondPath) == firstBytes);
    return 0;
}
