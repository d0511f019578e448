// Reads DAT bytes from the fuzzer with ReadStringTable. The result must be
// what an independent reading of the bytes says. The same file is then read
// again with the table heap failing after some allocations, chosen from the
// input: that read gives the same result or OutOfMemory, without a table and
// without leaking what it had taken (LeakSanitizer checks).
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "datinput.h"
#include "fuzzsupport.h"
#include "heaptestseam.h"
#include "littleendian.h"

namespace {

// The table, its block array and first block, a block and a pointer slot per
// further 64 entries, a text and a name per entry; one more lets the read
// succeed now and then. A file is never given more entries than it has
// records for.
long AllocationsOfARead(const std::uint8_t* data, std::size_t size) {
    const std::size_t claimed = size < 4 ? 0 : std::size_t{ReadUint32Le(data)};
    const std::size_t entries = size < 4 ? 0 : std::min(claimed, (size - 4) / 12);
    const long blocks = entries == 0 ? 1 : static_cast<long>((entries + 63) / 64);
    return 3 + 2 * (blocks - 1) + 2 * static_cast<long>(entries) + 1;
}

long FailurePointFor(const std::uint8_t* data, std::size_t size, long allocations) {
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ data[i]) * 16777619u;
    }
    return static_cast<long>(hash % static_cast<std::uint32_t>(allocations + 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = ScratchPath("INPUT.DAT");
    WriteFileBytes(path, data, size);
    const ExpectedTable expected = ExpectedTableOf(data, size);

    const DatReadResult read = ReadStringTable(path.c_str());
    FUZZ_EXPECT(read.status == expected.status);
    FUZZ_EXPECT((read.table != nullptr) == (read.status == DatReadStatus::Read));
    if (read.table) {
        FUZZ_EXPECT(ContentOf(*read.table) == expected.entries);
    }

    TableHeapFailAfter(FailurePointFor(data, size, AllocationsOfARead(data, size)));
    const DatReadResult starved = ReadStringTable(path.c_str());
    TableHeapFailAfter(-1);
    FUZZ_EXPECT(starved.status == read.status || starved.status == DatReadStatus::OutOfMemory);
    FUZZ_EXPECT((starved.table != nullptr) == (starved.status == DatReadStatus::Read));
    if (starved.table) {
        FUZZ_EXPECT(ContentOf(*starved.table) == expected.entries);
    }
    return 0;
}
