// Reading and writing a 100,000-entry DAT file, and filling an empty table by
// insertion, on the host.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "comparison.h"
#include "datfile.h"
#include "datwriter.h"
#include "namekey.h"
#include "stringhistory.h"
#include "stringtable.h"
#include "temporaryfolder.h"

namespace {

constexpr int kFileEntries = 100000;
constexpr int kInsertedNames = 10000;

// "STRING_0000042_X": 16 bytes, all distinct.
std::vector<std::string> MakeNames(int count) {
    std::vector<std::string> names;
    for (int index = 0; index < count; ++index) {
        char name[32];
        std::snprintf(name, sizeof name, "STRING_%07d_%c", index, 'A' + index % 26);
        names.push_back(name);
    }
    return names;
}

std::basic_string<TextUnit> MakeText(std::mt19937& random) {
    std::basic_string<TextUnit> text(50 + random() % 21, 0);  // about 60 code units
    for (TextUnit& unit : text) {
        unit = static_cast<TextUnit>(0x20 + random() % 0x60);
    }
    return text;
}

// The file is built by hand: inserting 100,000 names one by one would be a
// quadratic walk and measure the wrong thing.
std::size_t WriteSampleFile(const std::string& path) {
    std::mt19937 random(3);
    std::vector<FileEntry> entries;
    for (const std::string& name : MakeNames(kFileEntries)) {
        const std::basic_string<TextUnit> text = MakeText(random);
        entries.push_back({ComputeNameKey(name.c_str()), std::u16string(text.begin(), text.end()), name});
    }
    const std::string bytes = DatBytes(entries);
    WriteBytes(path, bytes);
    return bytes.size();
}

void BM_ReadDat100000(benchmark::State& state) {
    TemporaryFolder folder("strings_bench_");
    const std::string path = folder.path("SAMPLE.DAT");
    const std::size_t size = WriteSampleFile(path);
    for (auto _ : state) {
        DatReadResult read = ReadStringTable(path.c_str());
        if (read.status != DatReadStatus::Read) {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::DoNotOptimize(read.table.get());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// Includes flushing to the disk and replacing the previous file, as a save does.
void BM_WriteDat100000(benchmark::State& state) {
    TemporaryFolder folder("strings_bench_");
    const std::string source = folder.path("SAMPLE.DAT");
    const std::size_t size = WriteSampleFile(source);
    const DatReadResult read = ReadStringTable(source.c_str());
    const std::string target = folder.path("COPY.DAT");
    for (auto _ : state) {
        if (WriteStringTable(*read.table, target.c_str()) != DatWriteStatus::Written) {
            state.SkipWithError("write failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void BM_Insert10000Names(benchmark::State& state) {
    std::vector<std::string> names = MakeNames(kInsertedNames);
    std::mt19937 random(9);
    std::shuffle(names.begin(), names.end(), random);
    std::vector<std::basic_string<TextUnit>> texts;
    for (int index = 0; index < kInsertedNames; ++index) {
        texts.push_back(MakeText(random));
    }
    for (auto _ : state) {
        StringTablePtr table = StringTableCreate();
        for (int index = 0; index < kInsertedNames; ++index) {
            benchmark::DoNotOptimize(StringTableInsert(*table, names[index].c_str(), texts[index].c_str()));
        }
    }
    state.SetItemsProcessed(state.iterations() * kInsertedNames);
}

// Undo and redo of the deletion of all 100,000 strings of the file. Without
// undo, a deletion was taken back by reading the file again and made again
// by deleting anew.
struct SampleFile {
    TemporaryFolder folder{"strings_bench_"};
    std::string path = folder.path("SAMPLE.DAT");
    SampleFile() { WriteSampleFile(path); }
};

const std::string& SamplePath() {
    static const SampleFile file;
    return file.path;
}

std::vector<StringEntry*> AllEntries(const StringTable& table) {
    std::vector<StringEntry*> entries;
    for (StringEntry* entry = StringTableNext(table, nullptr); entry != nullptr;
         entry = StringTableNext(table, entry)) {
        entries.push_back(entry);
    }
    return entries;
}

void UndoOrRedoDeleteAll(benchmark::State& state, bool timeUndo) {
    StringTablePtr table = ReadStringTable(SamplePath().c_str()).table;
    const std::vector<StringEntry*> entries = AllEntries(*table);
    StringTableRemoveStep(*table, entries.data(), entries.size());
    for (auto _ : state) {
        if (timeUndo) {
            StringTableUndo(*table, nullptr);
            state.PauseTiming();
            StringTableRedo(*table, nullptr);
            state.ResumeTiming();
        } else {
            state.PauseTiming();
            StringTableUndo(*table, nullptr);
            state.ResumeTiming();
            StringTableRedo(*table, nullptr);
        }
    }
}

void ReadSampleAgain(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadStringTable(SamplePath().c_str()).table.get());
    }
}

void DeleteAllAnew(benchmark::State& state) {
    StringTablePtr table;
    for (auto _ : state) {
        state.PauseTiming();
        table = ReadStringTable(SamplePath().c_str()).table;
        const std::vector<StringEntry*> entries = AllEntries(*table);
        state.ResumeTiming();
        StringTableRemoveEntries(*table, entries.data(), entries.size());
    }
}

BENCHMARK(BM_ReadDat100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteDat100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Insert10000Names)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    RegisterComparison("UndoDeleteOf100000Strings", ReadSampleAgain,
                       [](benchmark::State& state) { UndoOrRedoDeleteAll(state, true); });
    RegisterComparison("RedoDeleteOf100000Strings", DeleteAllAnew,
                       [](benchmark::State& state) { UndoOrRedoDeleteAll(state, false); });
    return RunBenchmarksWithComparisons(argc, argv);
}
