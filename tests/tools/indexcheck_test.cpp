#include "indexcheck.h"

#include <gtest/gtest.h>

namespace {

IndexRecord Record(const std::string& name, std::uint32_t x, std::uint32_t y, std::uint32_t width,
                   std::uint32_t height) {
    return IndexRecord{name, AtlasEntry{x, y, width, height, 1}};
}

}  // namespace

TEST(IndexCheck, CellsThatOnlyTouchAreSound) {
    // Cells of 12x12 side by side, one above the other, and corner to corner.
    const std::vector<IndexRecord> records = {
        Record("A", 1, 1, 10, 10),
        Record("B", 13, 1, 10, 10),
        Record("C", 1, 13, 10, 10),
        Record("D", 13, 13, 10, 10),
        Record("E", 255 - 10, 255 - 10, 10, 10),  // its cell ends on the last column and row
    };
    EXPECT_TRUE(FindIndexProblems(records, 256, 256).empty());
}

TEST(IndexCheck, EveryOverlapIsReportedOnceAtTheLaterRecord) {
    const std::vector<IndexRecord> records = {
        Record("WIDE", 1, 1, 100, 2),   // 1: its cell spans columns 0-101 and rows 0-3
        Record("FAR", 200, 200, 5, 5),  // 2: alone
        Record("LEFT", 102, 1, 1, 1),   // 3: its cell's left column is WIDE's cell's last column
        Record("DOWN", 50, 4, 3, 3),    // 4: its cell's top row is WIDE's cell's bottom row
        Record("BELOW", 50, 6, 3, 3),   // 5: shares rows with 4 only
    };
    EXPECT_EQ(FindIndexProblems(records, 256, 256),
              (std::vector<std::string>{
                  "record 3 \"LEFT\": the cell overlaps the cell of record 1 \"WIDE\"",
                  "record 4 \"DOWN\": the cell overlaps the cell of record 1 \"WIDE\"",
                  "record 5 \"BELOW\": the cell overlaps the cell of record 4 \"DOWN\"",
              }));
}

TEST(IndexCheck, ReportsWhatOpeningWouldRefuseOrHide) {
    const std::vector<IndexRecord> records = {
        Record("tree.tga", 1, 1, 4, 4),
        Record("TREE.TGA", 20, 20, 4, 4),        // the same name in another case
        Record("EDGE", 0, 40, 4, 4),             // cell starts left of the atlas
        Record("HUGE", 40, 40, 0xFFFFFFF0u, 4),  // would wrap in 32 bits
        Record("FLAT", 60, 60, 0, 3),
        Record("", 80, 41, 2, 2),  // its cell meets HUGE's
    };
    EXPECT_EQ(FindIndexProblems(records, 128, 128),
              (std::vector<std::string>{
                  "record 2 \"TREE.TGA\": same name as record 1 \"tree.tga\"",
                  "record 3 \"EDGE\": the cell of 0,40 4x4 leaves the 128x128 atlas",
                  "record 4 \"HUGE\": the cell of 40,40 4294967280x4 leaves the 128x128 atlas",
                  "record 5 \"FLAT\": zero size 0x3",
                  "record 6 \"\": empty name",
                  "record 6 \"\": the cell overlaps the cell of record 4 \"HUGE\"",
              }));
}
