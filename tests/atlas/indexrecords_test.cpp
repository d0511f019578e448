// Reading an index file's records as stored, without judging them.
#include <gtest/gtest.h>

#include "atlastestsupport.h"
#include "exceptions.h"
#include "indexfile.h"

namespace {

std::string readError(const std::string& path) {
    try {
        readIndexRecords(path);
    } catch (const Exception& e) {
        return e.message;
    }
    return "read";
}

}  // namespace

TEST(IndexRecords, ComeInFileOrderWithNamesAndRectanglesAsStored) {
    TestFolder folder;
    const std::string path = folder.path("atlas.pxa");
    const std::vector<IndexRecordSpec> records = {
        {"tree.tga", {0, 0, 5, 6, 9}},  // a cell outside any atlas
        {"TREE.TGA", {1, 2, 3, 4, 1}},  // the same name in another case
        {"", {4000000000u, 7, 0, 0, 0}},
        {std::string(64, 'n'), {10, 20, 30, 40, 255}},  // no terminating zero
    };
    writeFileBytes(path, indexBytes(records));
    const std::vector<IndexRecord> read = readIndexRecords(path);
    ASSERT_EQ(read.size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(read[i].name, records[i].name) << i;
        EXPECT_EQ(read[i].entry, records[i].entry) << i;
    }
}

TEST(IndexRecords, FailLikeOpeningOnMissingAndShortFiles) {
    TestFolder folder;
    EXPECT_EQ(readError(folder.path("missing.pxa")), "Unable to open file");
    const std::pair<const char*, Bytes> cases[] = {
        {"short.pxa", {1, 0}},
        {"truncated.pxa", indexBytesWithCount(2, {{"A", {1, 1, 1, 1, 1}}})},
        {"lying.pxa", indexBytesWithCount(0xFFFFFFFFu, {})},
    };
    for (const auto& [name, bytes] : cases) {
        writeFileBytes(folder.path(name), bytes);
        EXPECT_EQ(readError(folder.path(name)), "Unable to read file") << name;
    }
    writeFileBytes(folder.path("empty.pxa"), {0, 0, 0, 0});
    EXPECT_TRUE(readIndexRecords(folder.path("empty.pxa")).empty());
}
