// pxatool extract of 3,000 entries beside the way entries were written
// before. On Linux a look-up of a missing name is cheap and the two differ
// little; under Wine each such look-up reads the whole folder, which is where
// the earlier way lost its time (make bench-gui times pxatool.exe there).
#include <filesystem>
#include <iostream>
#include <streambuf>
#include <string>

#include <benchmark/benchmark.h>

#include "atlasimage.h"
#include "comparison.h"
#include "filepair.h"
#include "filepairtestseam.h"
#include "indexwriter.h"
#include "paircommands.h"
#include "safefile.h"
#include "temporaryfolder.h"

namespace {

const std::uint32_t entryCount = 3000;

TemporaryFolder& benchFolder() {
    static TemporaryFolder folder("pxatool_bench_");
    return folder;
}

// A pair of 3,000 entries of 8 x 8 pixels in 10 x 10 cells.
const PairPaths& pairOfThreeThousand() {
    static const PairPaths paths = [] {
        const PairPaths made{benchFolder().path("pair.pxa"), benchFolder().path("pair.tga")};
        const UniqueBitmap atlas = allocateBitmap(1024, 1024);
        FreeImage_Save(FIF_TARGA, atlas.get(), made.image.c_str(), 0);
        std::vector<IndexRecordSpec> records;
        for (std::uint32_t i = 0; i < entryCount; ++i) {
            records.push_back({"SPRITE_" + std::to_string(i) + ".PNG", {i % 100 * 10 + 1, i / 100 * 10 + 1, 8, 8, 1}});
        }
        writeFileBytes(made.index, indexBytes(records));
        return made;
    }();
    return paths;
}

template <class Extract>
void extractIntoEmptyFolder(benchmark::State& state, Extract extract) {
    const std::string folder = benchFolder().path("extracted");
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        state.ResumeTiming();
        extract(folder);
    }
}

// Each entry: a look for the file, then a staged file renamed into place.
void extractTheEarlierWay(benchmark::State& state) {
    extractIntoEmptyFolder(state, [](const std::string& folder) {
        const FilePair pair(pairOfThreeThousand().index, pairOfThreeThousand().image);
        for (const auto& [name, entry] : pair.entries()) {
            const std::string target = folder + "/" + name;
            if (!std::filesystem::exists(target)) {
                saveBitmapSafely(copyEntryPixels(entry, bitmapOf(pair)).get(), target, formatForSaving(target, -1),
                                 FlushRule::WhenReplacing, Journal::None);
            }
        }
    });
}

// The whole command, its list of files written printed to nowhere.
void extractCommand(benchmark::State& state) {
    struct Nowhere : std::streambuf {
        int overflow(int c) override { return c; }
        std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
    } nowhere;
    std::streambuf* const console = std::cout.rdbuf(&nowhere);
    extractIntoEmptyFolder(state, [&state](const std::string& folder) {
        if (ExtractCommand(pairOfThreeThousand(), folder, {}, false) != 0) {
            state.SkipWithError("extract failed");
        }
    });
    std::cout.rdbuf(console);
}

}  // namespace

int main(int argc, char** argv) {
    RegisterComparison("ExtractEntries/3000", extractTheEarlierWay, extractCommand);
    return RunBenchmarksWithComparisons(argc, argv);
}
