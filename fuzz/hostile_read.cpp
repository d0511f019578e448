// Hostile files of 1 MiB for the two readers, and the peak memory of reading
// them. "write KIND FOLDER" makes the file; "read KIND FOLDER", in a process of
// its own (the peak only ever grows), reads it with the real reader and
// prints what the read gave, how long it took and the peak resident memory
// before and after. fuzz/measure-memory.sh runs every kind.
#include <sys/resource.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bitmap.h"
#include "datfile.h"
#include "datwriter.h"
#include "exceptions.h"
#include "filepair.h"
#include "filepairtestseam.h"
#include "freespacemap.h"
#include "indexfile.h"
#include "indexwriter.h"

namespace {

constexpr std::size_t kMebibyte = 1 << 20;
constexpr std::size_t kIndexRecordSize = 81;
constexpr std::size_t kDatRecordSize = 12;

// 64 bytes that differ for every number, so that no record repeats a name.
std::string LongName(std::size_t number) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%020zu", number);
    return std::string(44, 'N') + digits;
}

constexpr std::size_t kMostIndexRecords = (kMebibyte - 4) / kIndexRecordSize;

// Every record has a name of its own and a 2 x 2 cell in the corner of a
// 64 x 64 atlas: the most entries a mebibyte can hold. With `claimedCount`
// above the records there are, reading fails after the last one.
Bytes IndexOfMostEntries(std::uint32_t claimedCount) {
    std::vector<IndexRecordSpec> records;
    for (std::size_t i = 0; i < kMostIndexRecords; ++i) {
        records.push_back({LongName(i), {1, 1, 0, 0, 1}});
    }
    return indexBytesWithCount(claimedCount, records);
}

// Two staircases of 2 x 2 cells, one in the top-left and one in the
// bottom-right quarter of a side x side atlas: every free rectangle between a
// step of one and a step of the other stays in the free-space list, so the
// list grows with the square of the number of steps.
Bytes FragmentingIndex(std::uint32_t side, std::size_t steps) {
    std::vector<IndexRecordSpec> records;
    const std::uint32_t half = (side - 2) / 2;
    const std::uint32_t stride = half / static_cast<std::uint32_t>(steps);
    for (std::size_t i = 0; i < steps; ++i) {
        const std::uint32_t t = 1 + static_cast<std::uint32_t>(i) * stride;
        records.push_back({"A" + std::to_string(i), {t, half - t, 0, 0, 1}});
        records.push_back({"B" + std::to_string(i), {half + t, side - 2 - t, 0, 0, 1}});
    }
    return indexBytes(records);
}

constexpr std::uint32_t kMostDatEntries = (kMebibyte - 4) / kDatRecordSize;

// Records only, every text and name empty: the most entries a mebibyte holds.
std::string DatOfMostEntries() {
    std::vector<FileEntry> entries;
    for (std::uint32_t i = 0; i < kMostDatEntries; ++i) {
        entries.push_back({i, u"", ""});
    }
    std::string bytes = DatBytes(entries);
    bytes.resize(kMebibyte, '\0');
    return bytes;
}

// As many one-unit texts and one-byte names as fit, but the last name is
// missing: every text is read and stored before the file turns out short.
std::string DatShortByOneName() {
    std::vector<FileEntry> entries;
    for (std::uint32_t i = 0; i < (kMebibyte - 4) / (kDatRecordSize + 3); ++i) {
        entries.push_back({i, u"\x5454", "n"});
    }
    std::string bytes = DatBytes(entries);
    bytes.pop_back();
    return bytes;
}

// One text of all the file has.
std::string DatOfOneText() {
    const std::uint32_t units = (kMebibyte - 4 - kDatRecordSize - 1) / 2;
    return DatBytes({{0, std::u16string(units, u'\x5454'), "n"}});
}

// A mebibyte of records whose count, or whose first text, claims ever so
// much more than the file holds.
std::string DatClaiming(std::uint32_t count, std::uint32_t textLength) {
    std::string bytes = Le32(count);
    while (bytes.size() < kMebibyte) {
        bytes += Le32(0) + Le32(textLength) + Le32(0);
    }
    bytes.resize(kMebibyte);
    return bytes;
}

long PeakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

const char* StatusName(DatReadStatus status) {
    switch (status) {
    case DatReadStatus::Read: return "read";
    case DatReadStatus::CannotOpen: return "cannot open";
    case DatReadStatus::CannotRead: return "cannot read";
    case DatReadStatus::NotATableFile: return "not a table file";
    case DatReadStatus::TooManyEntries: return "too many entries";
    case DatReadStatus::OutOfMemory: return "out of memory";
    }
    return "?";
}

std::string ReadDat(const std::string& path) {
    const DatReadResult result = ReadStringTable(path.c_str());
    return std::string(StatusName(result.status)) +
           (result.table ? ", " + std::to_string(result.table->count) + " entries" : std::string());
}

std::string OpenPair(const std::string& indexPath, const std::string& imagePath) {
    try {
        const FilePair pair(indexPath, imagePath);
        return "opened, " + std::to_string(pair.entries().size()) + " entries, " +
               std::to_string(freeSpaceOf(pair).freeRects().size()) + " free-space slots";
    } catch (const Exception& e) {
        std::string message = e.message;
        for (char& c : message) {
            c = c == '\n' ? ' ' : c;
        }
        return "refused: " + message;
    }
}

// The index part of opening, against an atlas of side x side that is never
// allocated: the free-space work is all that differs with the atlas size.
std::string ReadIndexAgainst(const std::string& indexPath, std::uint32_t side) {
    EntryTable entries;
    FreeSpaceMap freeSpace;
    freeSpace.addFree(0, 0, side, side);
    try {
        readIndex(indexPath, side, side, entries, freeSpace);
    } catch (const Exception&) {
        return "refused after " + std::to_string(entries.size()) + " entries, " +
               std::to_string(freeSpace.freeRects().size()) + " free-space slots";
    }
    return std::to_string(entries.size()) + " entries, " + std::to_string(freeSpace.freeRects().size()) +
           " free-space slots";
}

void WriteBlankAtlas(const std::string& path, std::uint32_t side) {
    UniqueBitmap atlas = allocateBitmap(side, side);
    if (!atlas || !FreeImage_Save(FIF_TARGA, atlas.get(), path.c_str(), 0)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(2);
    }
}

struct Kind {
    const char* name;
    std::string (*write)(const std::string& folder);  // returns the file's size
    std::string (*read)(const std::string& folder);   // what reading gave
};

std::string WriteDat(const std::string& folder, const std::string& bytes) {
    WriteBytes(folder + "/HOSTILE.DAT", bytes);
    return std::to_string(bytes.size());
}

std::string WriteIndex(const std::string& folder, const Bytes& bytes) {
    writeFileBytes(folder + "/HOSTILE.PXA", bytes);
    WriteBlankAtlas(folder + "/ATLAS.TGA", 64);
    return std::to_string(bytes.size());
}

std::string ReadDatIn(const std::string& folder) { return ReadDat(folder + "/HOSTILE.DAT"); }
std::string OpenPairIn(const std::string& folder) { return OpenPair(folder + "/HOSTILE.PXA", folder + "/ATLAS.TGA"); }

// The fragmenting index fills a mebibyte: 2 x 6472 steps need an atlas side
// of 8 x 6472; its bitmap would be 10 GiB, so only the index is read.
constexpr std::uint32_t kFragmentSteps = kMostIndexRecords / 2;
constexpr std::uint32_t kFragmentSide = 8 * kFragmentSteps;

const Kind kKinds[] = {
    {"dat-most-entries", [](const std::string& f) { return WriteDat(f, DatOfMostEntries()); }, ReadDatIn},
    {"dat-short-by-one-name", [](const std::string& f) { return WriteDat(f, DatShortByOneName()); }, ReadDatIn},
    {"dat-one-text", [](const std::string& f) { return WriteDat(f, DatOfOneText()); }, ReadDatIn},
    {"dat-lying-count", [](const std::string& f) { return WriteDat(f, DatClaiming(0xFFFFFFFFu, 0)); }, ReadDatIn},
    {"dat-lying-text", [](const std::string& f) { return WriteDat(f, DatClaiming(kMostDatEntries, 0xFFFFFFFFu)); },
     ReadDatIn},
    {"index-most-entries", [](const std::string& f) { return WriteIndex(f, IndexOfMostEntries(kMostIndexRecords)); },
     OpenPairIn},
    {"index-lying-count", [](const std::string& f) { return WriteIndex(f, IndexOfMostEntries(0xFFFFFFFFu)); },
     OpenPairIn},
    {"index-fragmenting",
     [](const std::string& f) {
         const Bytes bytes = FragmentingIndex(kFragmentSide, kFragmentSteps);
         writeFileBytes(f + "/HOSTILE.PXA", bytes);
         return std::to_string(bytes.size());
     },
     [](const std::string& f) { return ReadIndexAgainst(f + "/HOSTILE.PXA", kFragmentSide); }},
};

}  // namespace

// hostile_read write|read KIND FOLDER, or hostile_read fragment SIDE STEPS FOLDER
// for the fragmenting index at a smaller scale.
int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "fragment" && argc == 5) {
        const std::uint32_t side = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
        const std::uint32_t steps = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));
        const std::string path = std::string(argv[4]) + "/FRAGMENT.PXA";
        writeFileBytes(path, FragmentingIndex(side, steps));
        const long before = PeakResidentKiB();
        const auto start = std::chrono::steady_clock::now();
        const std::string outcome = ReadIndexAgainst(path, side);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("fragmenting %u x %u atlas, %u steps: %s, %.2f s, peak RSS %.1f MiB (%.1f MiB before)\n", side,
                    side, 2 * steps, outcome.c_str(), seconds, PeakResidentKiB() / 1024.0, before / 1024.0);
        return 0;
    }
    if ((mode != "write" && mode != "read") || argc != 4) {
        std::fprintf(stderr, "usage: hostile_read write|read KIND FOLDER | hostile_read fragment SIDE STEPS FOLDER\n");
        return 2;
    }
    for (const Kind& kind : kKinds) {
        if (kind.name != std::string(argv[2])) {
            continue;
        }
        if (mode == "write") {
            std::printf("%s\n", kind.write(argv[3]).c_str());
            return 0;
        }
        const long before = PeakResidentKiB();
        const auto start = std::chrono::steady_clock::now();
        const std::string outcome = kind.read(argv[3]);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const long after = PeakResidentKiB();
        std::printf("%-22s %-52s %8.2f s  peak RSS %6.1f MiB, %+6.1f MiB over the %.1f MiB before reading\n", kind.name,
                    outcome.c_str(), seconds, after / 1024.0, (after - before) / 1024.0, before / 1024.0);
        return 0;
    }
    std::fprintf(stderr, "unknown kind %s\n", argv[2]);
    return 2;
}
