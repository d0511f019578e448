// dattool's import and check at scale, each beside the plain way it replaces.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <random>
#include <streambuf>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "temporaryfolder.h"
#include "comparison.h"
#include "datcommands.h"
#include "datfile.h"
#include "datwriter.h"
#include "keyordertable.h"
#include "namekey.h"
#include "tablecheck.h"
#include "tablereference.h"

namespace {

TemporaryFolder& benchFolder() {
    static TemporaryFolder folder("dattool_bench_");
    return folder;
}

// Distinct names in no particular key order, texts of about 40 characters.
std::vector<TableRow> rows(std::size_t count) {
    std::mt19937 random(7);
    std::vector<TableRow> made;
    for (std::size_t i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "STRING_%07zu", i);
        made.push_back({name, std::u16string(30 + random() % 20, u'a' + random() % 26)});
    }
    return made;
}

void buildRowByRow(benchmark::State& state, std::size_t count) {
    const std::vector<TableRow> made = rows(count);
    for (auto _ : state) {
        benchmark::DoNotOptimize(TableInsertedRowByRow(made));
    }
}

void buildInKeyOrder(benchmark::State& state, std::size_t count) {
    const std::vector<TableRow> made = rows(count);
    for (auto _ : state) {
        benchmark::DoNotOptimize(TableInKeyOrder(made));
    }
}

// The whole command: the CSV file read and checked, the table built and
// written.
void importCsv(benchmark::State& state) {
    const std::string csvPath = benchFolder().path("rows.csv");
    const std::string tablePath = benchFolder().path("imported.dat");
    {
        std::ofstream csv(csvPath, std::ios::binary);
        csv << "name,text\r\n";
        for (const TableRow& row : rows(static_cast<std::size_t>(state.range(0)))) {
            csv << row.name << ',' << std::string(row.text.begin(), row.text.end()) << "\r\n";
        }
    }
    for (auto _ : state) {
        if (ImportCommand(csvPath, tablePath, ImportOptions()) != 0) {
            state.SkipWithError("import failed");
        }
    }
}

// `count` entries that all have one name, and its key.
std::string writeOneNameRepeated(std::uint32_t count) {
    const std::string name = "GREETING";
    const std::string path = benchFolder().path("repeated" + std::to_string(count) + ".dat");
    WriteBytes(path, DatBytes(std::vector<FileEntry>(count, {ComputeNameKey(name.c_str()), u"H", name})));
    return path;
}

template <std::vector<TableProblem> (*find)(const StringTable&)>
void findProblemsOfOneName(benchmark::State& state, std::uint32_t count) {
    const std::string path = writeOneNameRepeated(count);
    const DatReadResult read = ReadStringTable(path.c_str());
    for (auto _ : state) {
        benchmark::DoNotOptimize(find(*read.table));
    }
}

// Everything but the terminal: the file read, judged and every finding
// printed, to nowhere.
void checkOneNameRepeated(benchmark::State& state) {
    struct Nowhere : std::streambuf {
        int overflow(int c) override { return c; }
        std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
    } nowhere;
    const std::string path = writeOneNameRepeated(static_cast<std::uint32_t>(state.range(0)));
    std::streambuf* const console = std::cout.rdbuf(&nowhere);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CheckCommand(path));
    }
    std::cout.rdbuf(console);
}

void registerBenchmarks() {
    // 100,000 rows took the row-by-row import 28-47 s.
    RegisterComparison(
        "BuildImportedTable/20000", [](benchmark::State& s) { buildRowByRow(s, 20000); },
        [](benchmark::State& s) { buildInKeyOrder(s, 20000); });
    benchmark::RegisterBenchmark("ImportCsv/100000/now", importCsv)->Arg(100000)->Unit(benchmark::kMillisecond);
    RegisterComparison(
        "FindProblemsOfOneName/20000",
        [](benchmark::State& s) { findProblemsOfOneName<ProblemsComparingEveryEarlierEntry>(s, 20000); },
        [](benchmark::State& s) { findProblemsOfOneName<FindTableProblems>(s, 20000); });
    benchmark::RegisterBenchmark("CheckOneNameRepeated/4000000/now", checkOneNameRepeated)
        ->Arg(4000000)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
}

}  // namespace

int main(int argc, char** argv) {
    registerBenchmarks();
    return RunBenchmarksWithComparisons(argc, argv);
}
