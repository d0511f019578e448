// Opening a large index, inserting many small images, placing many cells;
// the free-space map against the plain list it replaces, and indexes made to
// fragment free space.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "atlasgrowth.h"
#include "atlasimage.h"
#include "temporaryfolder.h"
#include "bitmap.h"
#include "comparison.h"
#include "entrycell.h"
#include "exceptions.h"
#include "filepair.h"
#include "freespacemap.h"
#include "indexfile.h"
#include "indexwriter.h"
#include "linearfreespacemap.h"
#include "packingsession.h"

namespace {

const std::uint32_t randomSeed = 20240601;

// Files made once for the whole run and deleted at its end.
TemporaryFolder& benchFolder() {
    static TemporaryFolder folder("pxa_atlas_bench_");
    return folder;
}

void saveBlank(const std::string& path, int width, int height) {
    const UniqueBitmap image(FreeImage_Allocate(width, height, 32, 0, 0, 0));
    if (!FreeImage_Save(FIF_TARGA, image.get(), path.c_str(), 0)) {
        throw std::runtime_error("cannot write " + path);
    }
}

// A 1024 x 1024 atlas with 10,000 entries of 8 x 8 in a 100 x 100 grid, the
// records in shuffled order.
struct LargePair {
    std::string indexPath;
    std::string imagePath;
};

const LargePair& largePair() {
    static const LargePair pair = [] {
        LargePair made{benchFolder().path("large.pxa"), benchFolder().path("large.tga")};
        saveBlank(made.imagePath, 1024, 1024);
        std::vector<std::uint32_t> order(10000);
        for (std::uint32_t i = 0; i < order.size(); ++i) {
            order[i] = i;
        }
        std::shuffle(order.begin(), order.end(), std::mt19937(randomSeed));
        std::vector<IndexRecordSpec> records;
        for (const std::uint32_t i : order) {
            char name[64] = {};
            std::snprintf(name, sizeof name, "ENTRY%05u.TGA", static_cast<unsigned>(i));
            records.push_back({name, {(i % 100) * 10 + 1, (i / 100) * 10 + 1, 8, 8, 1}});
        }
        writeFileBytes(made.indexPath, indexBytes(records));
        return made;
    }();
    return pair;
}

struct Size {
    std::uint32_t width;
    std::uint32_t height;
};

std::vector<Size> randomImageSizes(std::size_t count) {
    std::mt19937 random(randomSeed);
    std::uniform_int_distribution<std::uint32_t> side(4, 64);
    std::vector<Size> sizes(count);
    for (Size& size : sizes) {
        size = {side(random), side(random)};
    }
    return sizes;
}

// 1,000 TGA files of random sizes 4-64 px with random pixels.
const std::vector<std::string>& randomImageFiles() {
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> made;
        std::mt19937 random(randomSeed + 1);
        int n = 0;
        for (const Size& size : randomImageSizes(1000)) {
            const UniqueBitmap image(
                FreeImage_Allocate(static_cast<int>(size.width), static_cast<int>(size.height), 32, 0, 0, 0));
            BYTE* bits = FreeImage_GetBits(image.get());
            const std::size_t bytes = std::size_t{FreeImage_GetPitch(image.get())} * size.height;
            for (std::size_t i = 0; i < bytes; ++i) {
                bits[i] = static_cast<BYTE>(random());
            }
            made.push_back(benchFolder().path("image" + std::to_string(n++) + ".tga"));
            if (!FreeImage_Save(FIF_TARGA, image.get(), made.back().c_str(), 0)) {
                throw std::runtime_error("cannot write " + made.back());
            }
        }
        return made;
    }();
    return paths;
}

void OpenPairWith10000Entries(benchmark::State& state) {
    const LargePair& files = largePair();
    for (auto _ : state) {
        FilePair pair(files.indexPath, files.imagePath);
        benchmark::DoNotOptimize(pair.entries().size());
    }
}

// What opening did with the plain list: the image, then each record in
// file order into the table and out of free space.
void OpenPairWith10000EntriesIntoThePlainList(benchmark::State& state) {
    const LargePair& files = largePair();
    for (auto _ : state) {
        const UniqueBitmap image = loadImage(files.imagePath);
        LinearFreeSpaceMap freeSpace;
        freeSpace.addFree(0, 0, FreeImage_GetWidth(image.get()), FreeImage_GetHeight(image.get()));
        EntryTable entries;
        for (const IndexRecord& record : readIndexRecords(files.indexPath)) {
            entries.emplace(record.name, record.entry);
            const AtlasRect cell = cellOf(record.entry);
            freeSpace.occupy(cell.x, cell.y, cell.width, cell.height);
        }
        benchmark::DoNotOptimize(entries.size());
    }
}

// The index alone: reading, validating and cutting 10,000 cells out of free space.
void BM_ReadIndexOf10000Entries(benchmark::State& state) {
    const LargePair& files = largePair();
    for (auto _ : state) {
        EntryTable entries;
        FreeSpaceMap freeSpace;
        freeSpace.addFree(0, 0, 1024, 1024);
        readIndex(files.indexPath, 1024, 1024, entries, freeSpace);
        benchmark::DoNotOptimize(entries.size());
    }
}
BENCHMARK(BM_ReadIndexOf10000Entries)->Unit(benchmark::kMillisecond);

// The placement pass of an insertion of 1,000 random images into a new
// 256 x 256 document: largest area first, growing the free space as needed.
void BM_PlaceCellsOf1000RandomImages(benchmark::State& state) {
    std::vector<Size> sizes = randomImageSizes(1000);
    std::sort(sizes.begin(), sizes.end(), [](const Size& a, const Size& b) {
        return std::uint64_t{a.width} * a.height > std::uint64_t{b.width} * b.height;
    });
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    for (auto _ : state) {
        FreeSpaceMap freeSpace;
        width = 256;
        height = 256;
        freeSpace.addFree(0, 0, width, height);
        for (const Size& size : sizes) {
            AtlasRect cell = cellOfSize(size.width, size.height);
            while (!freeSpace.place(cell)) {
                growFreeSpace(freeSpace, width, height);
            }
        }
        benchmark::DoNotOptimize(freeSpace.freeRects().size());
    }
    state.counters["atlasWidth"] = width;
    state.counters["atlasHeight"] = height;
}
BENCHMARK(BM_PlaceCellsOf1000RandomImages)->Unit(benchmark::kMillisecond);

// The whole insertion: loading the files, placing, growing, pasting, borders.
void BM_InsertFilesOf1000RandomImages(benchmark::State& state) {
    const std::vector<std::string>& files = randomImageFiles();
    for (auto _ : state) {
        FilePair pair(256, 256);
        std::vector<std::string> paths = files;
        pair.insertFiles(paths);
        benchmark::DoNotOptimize(pair.entries().size());
    }
}
BENCHMARK(BM_InsertFilesOf1000RandomImages)->Unit(benchmark::kMillisecond);

// 10,000 cells of 6-66 px into one 8192 x 8192 free rectangle.
void BM_FreeSpaceMapPlace10000Cells(benchmark::State& state) {
    const std::vector<Size> sizes = randomImageSizes(10000);
    std::size_t placed = 0;
    for (auto _ : state) {
        FreeSpaceMap freeSpace;
        freeSpace.addFree(0, 0, 8192, 8192);
        placed = 0;
        for (const Size& size : sizes) {
            AtlasRect cell = cellOfSize(size.width, size.height);
            placed += freeSpace.place(cell) ? 1 : 0;
        }
        benchmark::DoNotOptimize(placed);
    }
    state.counters["placed"] = static_cast<double>(placed);
}
BENCHMARK(BM_FreeSpaceMapPlace10000Cells)->Unit(benchmark::kMillisecond);

// Placing random cells of 4-64 px into a 256 x 256 atlas that grows as it
// must, every tenth step freeing a placed cell instead, until `cells` are
// placed.
template <class Map>
void PackRandomCells(benchmark::State& state, std::size_t cells) {
    std::size_t slots = 0;
    for (auto _ : state) {
        PackingSession<Map> session(randomSeed, 256, SessionMix{});
        for (std::size_t placed = 0; placed < cells;) {
            placed += session.step().width != 0 ? 1 : 0;
        }
        slots = session.map.freeRects().size();
    }
    state.counters["slots"] = static_cast<double>(slots);
}

void PackRandomCellsAtScale(benchmark::State& state) {
    PackRandomCells<FreeSpaceMap>(state, static_cast<std::size_t>(state.range(0)));
}
BENCHMARK(PackRandomCellsAtScale)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Index files of the cells of `records` against a side x side atlas that is
// never allocated, as opening reads them after loading the image.
struct CraftedIndex {
    std::string path;
    std::uint32_t side;
};

CraftedIndex writeCraftedIndex(const std::string& name, std::uint32_t side, const std::vector<AtlasEntry>& cells) {
    std::vector<IndexRecordSpec> records;
    for (const AtlasEntry& cell : cells) {
        records.push_back({"R" + std::to_string(records.size()), cell});
    }
    const CraftedIndex index{benchFolder().path(name), side};
    writeFileBytes(index.path, indexBytes(records));
    return index;
}

// Two staircases of entries of 0 x 0 (cells of 2 x 2), one above the other's
// corner: every free rectangle between a step of one and a step of the
// other stays, so free space grows with the square of the records.
CraftedIndex staircases(std::uint32_t side, std::uint32_t steps) {
    std::vector<AtlasEntry> records;
    const std::uint32_t half = (side - 2) / 2;
    for (std::uint32_t i = 0; i < steps; ++i) {
        const std::uint32_t t = 1 + i * (half / steps);
        records.push_back({t, half - t, 0, 0, 1});
        records.push_back({half + t, side - 2 - t, 0, 0, 1});
    }
    return writeCraftedIndex("stairs" + std::to_string(steps) + ".pxa", side, records);
}

const std::uint32_t recordsInOneMegabyte = ((1u << 20) - 4) / 81;

// Entries of 0-3 px at random places, overlapping at will.
CraftedIndex scatteredSmallCells(std::uint32_t side) {
    std::mt19937 random(randomSeed);
    std::vector<AtlasEntry> records;
    for (std::uint32_t i = 0; i < recordsInOneMegabyte; ++i) {
        records.push_back({1 + static_cast<std::uint32_t>(random() % (side - 6)),
                           1 + static_cast<std::uint32_t>(random() % (side - 6)),
                           static_cast<std::uint32_t>(random() % 4), static_cast<std::uint32_t>(random() % 4), 1});
    }
    return writeCraftedIndex("scattered.pxa", side, records);
}

// Reading the index as opening does, the outcome as a counter: 1 opened,
// 0 refused as corrupt.
void ReadCraftedIndex(benchmark::State& state, const CraftedIndex& index) {
    bool opened = false;
    for (auto _ : state) {
        EntryTable entries;
        FreeSpaceMap freeSpace;
        freeSpace.addFree(0, 0, index.side, index.side);
        try {
            readIndex(index.path, index.side, index.side, entries, freeSpace);
            opened = true;
        } catch (const BadFileException&) {
            opened = false;
        }
    }
    state.counters["opened"] = opened ? 1 : 0;
}

void ReadCraftedIndexIntoThePlainList(benchmark::State& state, const CraftedIndex& index) {
    for (auto _ : state) {
        LinearFreeSpaceMap freeSpace;
        freeSpace.addFree(0, 0, index.side, index.side);
        for (const IndexRecord& record : readIndexRecords(index.path)) {
            const AtlasRect cell = cellOf(record.entry);
            freeSpace.occupy(cell.x, cell.y, cell.width, cell.height);
        }
        benchmark::DoNotOptimize(freeSpace.freeRects().size());
    }
}

// Undo and redo at production size: an insertion of the 1,000 images into
// the 10,000-entry pair, and the deletion of all its entries. Without undo,
// a change was taken back by opening the pair again and made again by
// making it anew.
FilePair openLargePair() { return FilePair(largePair().indexPath, largePair().imagePath); }

void insertRandomImages(FilePair& pair) {
    std::vector<std::string> paths = randomImageFiles();
    pair.insertFiles(paths);
}

void removeAllEntries(FilePair& pair) {
    std::vector<std::string> names;
    for (const auto& entry : pair.entries()) {
        names.push_back(entry.first);
    }
    pair.removeEntries(names);
}

// Times the undo, or the redo, of `change` on the large pair.
template <class Change>
void UndoOrRedo(benchmark::State& state, Change change, bool timeUndo) {
    FilePair pair = openLargePair();
    change(pair);
    for (auto _ : state) {
        if (timeUndo) {
            pair.undo();
            state.PauseTiming();
            pair.redo();
            state.ResumeTiming();
        } else {
            state.PauseTiming();
            pair.undo();
            state.ResumeTiming();
            pair.redo();
        }
    }
    state.counters["entries"] = static_cast<double>(pair.entries().size());
    state.counters["historyMiB"] = static_cast<double>(pair.historyBytes()) / (1 << 20);
}

// Opening the pair as it was before the change.
void ReopenLargePair(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(openLargePair().entries().size());
    }
}

template <class Change>
void MakeAnew(benchmark::State& state, Change change) {
    std::optional<FilePair> pair;
    for (auto _ : state) {
        state.PauseTiming();
        pair.emplace(openLargePair());
        state.ResumeTiming();
        change(*pair);
    }
}

// What keeping the history costs a change: the same change with a history
// that keeps nothing.
template <class Change>
void MakeRecorded(benchmark::State& state, Change change, std::size_t historyBytes) {
    std::optional<FilePair> pair;
    for (auto _ : state) {
        state.PauseTiming();
        pair.emplace(openLargePair());
        pair->limitHistory(historyBytes);
        state.ResumeTiming();
        change(*pair);
    }
}

void registerComparisons() {
    RegisterComparison(
        "PackRandomCells/30000", [](benchmark::State& state) { PackRandomCells<LinearFreeSpaceMap>(state, 30000); },
        [](benchmark::State& state) { PackRandomCells<FreeSpaceMap>(state, 30000); });
    RegisterComparison("OpenPairWith10000ShuffledEntries", OpenPairWith10000EntriesIntoThePlainList,
                       OpenPairWith10000Entries);
    for (const auto& [name, change] : {std::make_pair("InsertOf1000ImagesInto10000Entries", insertRandomImages),
                                       std::make_pair("DeleteOf10000Entries", removeAllEntries)}) {
        RegisterComparison(
            std::string(name) + "Recorded",
            [change = change](benchmark::State& state) { MakeRecorded(state, change, 0); },
            [change = change](benchmark::State& state) { MakeRecorded(state, change, FilePair::defaultHistoryBytes); });
    }
    RegisterComparison("UndoInsertOf1000ImagesInto10000Entries", ReopenLargePair,
                       [](benchmark::State& state) { UndoOrRedo(state, insertRandomImages, true); });
    RegisterComparison(
        "RedoInsertOf1000ImagesInto10000Entries", [](benchmark::State& state) { MakeAnew(state, insertRandomImages); },
        [](benchmark::State& state) { UndoOrRedo(state, insertRandomImages, false); });
    RegisterComparison("UndoDeleteOf10000Entries", ReopenLargePair,
                       [](benchmark::State& state) { UndoOrRedo(state, removeAllEntries, true); });
    RegisterComparison(
        "RedoDeleteOf10000Entries", [](benchmark::State& state) { MakeAnew(state, removeAllEntries); },
        [](benchmark::State& state) { UndoOrRedo(state, removeAllEntries, false); });
    // 256 records (21 KB): the plain list takes a second or more; 512 took
    // it 6.4 s and 1,024 (83 KB) 25 s.
    RegisterComparison(
        "ReadIndexOfTwoStaircases/256",
        [](benchmark::State& state) { ReadCraftedIndexIntoThePlainList(state, staircases(4096, 128)); },
        [](benchmark::State& state) { ReadCraftedIndex(state, staircases(4096, 128)); });
    benchmark::RegisterBenchmark("ReadIndexOfTwoStaircases/1024/now", [](benchmark::State& state) {
        ReadCraftedIndex(state, staircases(4096, 512));
    })->Unit(benchmark::kMillisecond);
    // The largest hostile indexes: 1 MB each.
    benchmark::RegisterBenchmark("ReadIndexOfTwoStaircases/12944/now", [](benchmark::State& state) {
        ReadCraftedIndex(state, staircases(8 * (recordsInOneMegabyte / 2), recordsInOneMegabyte / 2));
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ReadIndexOfScatteredSmallCells/12945/now", [](benchmark::State& state) {
        ReadCraftedIndex(state, scatteredSmallCells(4096));
    })->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
    registerComparisons();
    return RunBenchmarksWithComparisons(argc, argv);
}
