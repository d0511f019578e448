#include "indexcheck.h"

#include <algorithm>
#include <map>
#include <numeric>

#include "entryname.h"

namespace {

// A cell in signed 64-bit numbers: a record at x = 0 has its cell at -1.
struct Cell {
    std::int64_t left;
    std::int64_t top;
    std::int64_t right;
    std::int64_t bottom;
};

Cell CellOf(const AtlasEntry& entry) {
    return Cell{std::int64_t{entry.x} - 1, std::int64_t{entry.y} - 1, std::int64_t{entry.x} + entry.width + 1,
                std::int64_t{entry.y} + entry.height + 1};
}

std::string Describe(const std::vector<IndexRecord>& records, std::size_t index) {
    return "record " + std::to_string(index + 1) + " \"" + records[index].name + "\"";
}

std::string RectangleText(const AtlasEntry& entry) {
    return std::to_string(entry.x) + "," + std::to_string(entry.y) + " " + std::to_string(entry.width) + "x" +
           std::to_string(entry.height);
}

// For every record, the earlier records whose cells overlap its cell. A sweep
// over the cells sorted by their left edge compares only cells that share
// columns, so a sound index of many entries is checked quickly.
std::vector<std::vector<std::size_t>> FindOverlaps(const std::vector<IndexRecord>& records) {
    std::vector<Cell> cells;
    for (const IndexRecord& record : records) {
        cells.push_back(CellOf(record.entry));
    }
    std::vector<std::size_t> byLeft(records.size());
    std::iota(byLeft.begin(), byLeft.end(), 0);
    std::stable_sort(byLeft.begin(), byLeft.end(),
                     [&](std::size_t a, std::size_t b) { return cells[a].left < cells[b].left; });
    std::vector<std::vector<std::size_t>> overlaps(records.size());
    for (std::size_t i = 0; i < byLeft.size(); ++i) {
        const Cell& first = cells[byLeft[i]];
        for (std::size_t j = i + 1; j < byLeft.size() && cells[byLeft[j]].left < first.right; ++j) {
            const Cell& second = cells[byLeft[j]];
            if (second.top < first.bottom && first.top < second.bottom) {
                const std::size_t earlier = std::min(byLeft[i], byLeft[j]);
                const std::size_t later = std::max(byLeft[i], byLeft[j]);
                overlaps[later].push_back(earlier);
            }
        }
    }
    for (std::vector<std::size_t>& earlier : overlaps) {
        std::sort(earlier.begin(), earlier.end());
    }
    return overlaps;
}

}  // namespace

std::vector<std::string> FindIndexProblems(const std::vector<IndexRecord>& records, std::uint32_t atlasWidth,
                                           std::uint32_t atlasHeight) {
    const std::string atlasSize = std::to_string(atlasWidth) + "x" + std::to_string(atlasHeight);
    const std::vector<std::vector<std::size_t>> overlaps = FindOverlaps(records);
    std::map<std::string, std::size_t> firstWithName;
    std::vector<std::string> problems;
    for (std::size_t index = 0; index < records.size(); ++index) {
        const IndexRecord& record = records[index];
        const std::string subject = Describe(records, index) + ": ";
        if (!cellFitsInAtlas(record.entry, atlasWidth, atlasHeight)) {
            problems.push_back(subject + "the cell of " + RectangleText(record.entry) + " leaves the " + atlasSize +
                               " atlas");
        }
        if (record.entry.width == 0 || record.entry.height == 0) {
            problems.push_back(subject + "zero size " + std::to_string(record.entry.width) + "x" +
                               std::to_string(record.entry.height));
        }
        if (record.name.empty()) {
            problems.push_back(subject + "empty name");
        }
        const auto first = firstWithName.emplace(upperCaseAscii(record.name), index).first;
        if (first->second != index) {
            problems.push_back(subject + "same name as " + Describe(records, first->second));
        }
        for (std::size_t earlier : overlaps[index]) {
            problems.push_back(subject + "the cell overlaps the cell of " + Describe(records, earlier));
        }
    }
    return problems;
}
