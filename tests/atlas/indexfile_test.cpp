// Opening and saving index files through the document.
#include <gtest/gtest.h>

#include "atlastestsupport.h"
#include "exceptions.h"
#include "filepair.h"
#include "filepairtestseam.h"
#include "freespacemap.h"
#include "indexfile.h"
#include "packingsession.h"

namespace {

// An atlas image and an index with the given bytes, in a test folder.
class IndexFileTest : public ::testing::Test {
protected:
    void writePair(const Bytes& index, std::uint32_t width = 256, std::uint32_t height = 256) {
        writeBlankAtlas(imagePath, width, height);
        writeFileBytes(indexPath, index);
    }

    std::string openError() {
        try {
            FilePair pair(indexPath, imagePath);
        } catch (const Exception& e) {
            return e.message;
        }
        return "opened";
    }

    TestFolder folder;
    const std::string imagePath = folder.path("atlas.tga");
    const std::string indexPath = folder.path("atlas.pxa");
};

bool overlaps(const AtlasRect& a, const AtlasRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

bool isFree(const FreeSpaceMap& map, const AtlasRect& area) {
    for (const AtlasRect& r : map.freeRects()) {
        if (r.width != 0 && overlaps(r, area)) {
            return true;
        }
    }
    return false;
}

// Reads the index against an atlas of that size that is never allocated:
// what opening does after loading the image.
std::string readIndexError(const std::string& path, std::uint32_t width, std::uint32_t height,
                           FreeSpaceMap& freeSpace) {
    EntryTable entries;
    freeSpace.addFree(0, 0, width, height);
    try {
        readIndex(path, width, height, entries, freeSpace);
    } catch (const Exception& e) {
        return e.message;
    }
    return "opened";
}

}  // namespace

TEST_F(IndexFileTest, AnEmptyIndexOpensWithTheWholeAtlasFree) {
    writePair({0, 0, 0, 0}, 300, 100);
    const FilePair pair(indexPath, imagePath);
    EXPECT_TRUE(pair.entries().empty());
    EXPECT_EQ(freeSpaceOf(pair).freeRects(), (std::vector<AtlasRect>{{0, 0, 300, 100}}));
    EXPECT_EQ(pair.indexFileName(), indexPath);
    EXPECT_EQ(pair.imageFileName(), imagePath);
    EXPECT_FALSE(pair.isModified());
    EXPECT_FALSE(pair.isUntitled());
    EXPECT_EQ(pair.selected(), nullptr);
}

TEST_F(IndexFileTest, RecordsAreValidatedAgainstTheAtlasBounds) {
    struct Case {
        AtlasEntry entry;
        bool accepted;
    };
    const std::uint32_t big = 0xFFFFFFFFu;
    const Case cases[] = {
        {{1, 1, 10, 10, 1}, true},  // the cell touches the top-left corner
        {{0, 1, 10, 10, 1}, false},       {{1, 0, 10, 10, 1}, false},
        {{245, 1, 10, 5, 1}, true},   // x + width = 255: the cell ends on the last column
        {{246, 1, 10, 5, 1}, false},  // x + width = 256
        {{1, 200, 5, 55, 1}, true},       {{1, 200, 5, 56, 1}, false},
        {{1, 1, 0, 0, 1}, true},                                       // an empty rectangle still has a 2 x 2 cell
        {{255, 255, 0, 0, 1}, true},                                   // a 2 x 2 cell in the bottom-right corner
        {{256, 1, 0, 0, 1}, false},       {{big, 1, 2, 2, 1}, false},  // sums that wrap around in 32 bits
        {{1, big, 2, 2, 1}, false},       {{2, 1, big, 1, 1}, false},
        {{1, 2, 1, big, 1}, false},       {{1, 1, big - 1, 1, 1}, false},
        {{big, big, big, big, 1}, false},
    };
    for (const Case& c : cases) {
        writePair(indexBytes({{"a.tga", c.entry}}));
        const std::string message = openError();
        if (c.accepted) {
            EXPECT_EQ(message, "opened") << c.entry.x << "," << c.entry.y << " " << c.entry.width << "x"
                                         << c.entry.height;
        } else {
            EXPECT_EQ(message, "Bad or corrupted file:\n" + indexPath)
                << c.entry.x << "," << c.entry.y << " " << c.entry.width << "x" << c.entry.height;
        }
    }
}

TEST_F(IndexFileTest, ACorruptRecordIsABadFileException) {
    writePair(indexBytes({{"a.tga", {0, 1, 1, 1, 1}}}));
    EXPECT_THROW(FilePair(indexPath, imagePath), BadFileException);
}

TEST_F(IndexFileTest, ShortFilesCannotBeRead) {
    const Bytes oneRecord = indexBytes({{"a.tga", {1, 1, 2, 2, 1}}});
    const std::vector<Bytes> cases = {
        {},
        {1, 0, 0},
        indexBytesWithCount(2, {{"a.tga", {1, 1, 2, 2, 1}}}),
        Bytes(oneRecord.begin(), oneRecord.end() - 1),
        Bytes(oneRecord.begin(), oneRecord.begin() + 40),
        // Billions of records claimed: must fail at the first missing one
        // without reserving anything for the claim.
        indexBytesWithCount(0xFFFFFFFFu, {{"a.tga", {1, 1, 2, 2, 1}}}),
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        writePair(cases[i]);
        EXPECT_EQ(openError(), "Unable to read file") << "case " << i;
    }
}

TEST_F(IndexFileTest, BytesAfterTheLastRecordAreIgnored) {
    Bytes bytes = indexBytes({{"a.tga", {1, 1, 2, 2, 1}}});
    bytes.insert(bytes.end(), {9, 9, 9});
    writePair(bytes);
    EXPECT_EQ(FilePair(indexPath, imagePath).entries().size(), 1u);
}

TEST_F(IndexFileTest, TheImageIsReadBeforeTheIndex) {
    EXPECT_EQ(openError(), "Unable to load image");  // neither file exists
    writeBlankAtlas(imagePath, 8, 8);
    EXPECT_EQ(openError(), "Unable to open file");
}

TEST_F(IndexFileTest, ARepeatedNameKeepsTheFirstRecordButBothCellsAreUsed) {
    writePair(indexBytes({{"tree.tga", {1, 1, 10, 10, 7}}, {"TREE.TGA", {101, 101, 5, 5, 1}}}));
    const FilePair pair(indexPath, imagePath);
    ASSERT_EQ(pair.entries().size(), 1u);
    EXPECT_EQ(pair.entries().begin()->first, "TREE.TGA");
    EXPECT_EQ(pair.entries().begin()->second, (AtlasEntry{1, 1, 10, 10, 7}));
    EXPECT_FALSE(isFree(freeSpaceOf(pair), {0, 0, 12, 12}));
    EXPECT_FALSE(isFree(freeSpaceOf(pair), {100, 100, 7, 7}));
    EXPECT_TRUE(isFree(freeSpaceOf(pair), {12, 0, 1, 1}));
    EXPECT_TRUE(isFree(freeSpaceOf(pair), {107, 107, 1, 1}));
}

TEST_F(IndexFileTest, NamesAreUpperCasedAsciiOnlyAndCutAtTheirFirstZeroByte) {
    Bytes bytes = indexBytes({{"grass.tga", {1, 1, 2, 2, 1}},
                              {std::string("\xe4z\xc4.tga"), {5, 5, 2, 2, 1}},
                              {std::string("ab\0cd", 5), {9, 9, 2, 2, 1}},
                              {std::string("\0xyz", 4), {13, 13, 2, 2, 1}}});
    writePair(bytes);
    const FilePair pair(indexPath, imagePath);
    std::vector<std::string> names;
    for (const auto& entry : pair.entries()) {
        names.push_back(entry.first);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"", "AB", "GRASS.TGA", "\xe4Z\xc4.TGA"}));
}

TEST_F(IndexFileTest, SavedFileHasTheFormatsBytesInNameOrder) {
    const std::vector<IndexRecordSpec> stored = {{"_.TGA", {1, 1, 1, 1, 1}},      {"b.tga", {4, 1, 1, 1, 0}},
                                                 {"A9.TGA", {7, 1, 1, 1, 1}},     {"Z.TGA", {10, 1, 1, 1, 1}},
                                                 {"A10.TGA", {13, 1, 2, 3, 200}}, {"B", {20, 1, 1, 1, 1}},
                                                 {"\xc4.TGA", {30, 1, 1, 1, 1}}};
    writePair(indexBytes(stored));
    FilePair pair(indexPath, imagePath);
    const std::string savedPath = folder.path("saved.pxa");
    pair.saveIndex(savedPath);

    const std::vector<IndexRecordSpec> expected = {{"A10.TGA", {13, 1, 2, 3, 200}}, {"A9.TGA", {7, 1, 1, 1, 1}},
                                                   {"B", {20, 1, 1, 1, 1}},         {"B.TGA", {4, 1, 1, 1, 0}},
                                                   {"Z.TGA", {10, 1, 1, 1, 1}},     {"_.TGA", {1, 1, 1, 1, 1}},
                                                   {"\xc4.TGA", {30, 1, 1, 1, 1}}};
    EXPECT_EQ(readFileBytes(savedPath), indexBytes(expected));
    EXPECT_EQ(readFileBytes(savedPath).size(), 4u + 81u * 7u);

    // A second round trip changes nothing.
    FilePair reopened(savedPath, imagePath);
    reopened.saveIndex(indexPath);
    EXPECT_EQ(readFileBytes(indexPath), readFileBytes(savedPath));
}

TEST_F(IndexFileTest, NamesAreCutToSixtyFourBytesWithoutATerminatingZero) {
    writePair(indexBytes({{"A.TGA", {1, 1, 1, 1, 1}}, {"B.TGA", {4, 1, 1, 1, 1}}}));
    FilePair pair(indexPath, imagePath);
    const std::string name64(64, 'N');
    const std::string name70 = std::string(64, 'L') + "ONGER!";
    ASSERT_TRUE(pair.rename("A.TGA", name64));
    ASSERT_TRUE(pair.rename("B.TGA", name70));
    pair.saveIndex(indexPath);

    const Bytes saved = readFileBytes(indexPath);
    ASSERT_EQ(saved.size(), 4u + 2 * 81u);
    EXPECT_EQ(std::string(saved.begin() + 4, saved.begin() + 4 + 64), std::string(64, 'L'));
    EXPECT_EQ(saved[4 + 64], 4);  // x of the longer name's record follows at once
    EXPECT_EQ(std::string(saved.begin() + 85, saved.begin() + 85 + 64), name64);

    const FilePair reopened(indexPath, imagePath);
    EXPECT_NE(reopened.find(std::string(64, 'L')), nullptr);
    EXPECT_NE(reopened.find(name64), nullptr);
}

TEST_F(IndexFileTest, AnEmptyDocumentSavesAsFourZeroBytes) {
    FilePair pair(16, 16);
    pair.saveIndex(indexPath);
    EXPECT_EQ(readFileBytes(indexPath), (Bytes{0, 0, 0, 0}));
}

// Two staircases of 2 x 2 cells, one above the other's corner: every free
// rectangle between a step of one and a step of the other stays free, so
// free space grows with the square of the records, and so does each step.
TEST_F(IndexFileTest, AnIndexThatFragmentsFreeSpaceBeyondTheLimitsIsCorrupt) {
    const std::uint32_t side = 4096;
    const std::uint32_t steps = 512;
    const std::uint32_t half = (side - 2) / 2;
    std::vector<IndexRecordSpec> records;
    for (std::uint32_t i = 0; i < steps; ++i) {
        const std::uint32_t t = 1 + i * (half / steps);
        records.push_back({"A" + std::to_string(i), {t, half - t, 0, 0, 1}});
        records.push_back({"B" + std::to_string(i), {half + t, side - 2 - t, 0, 0, 1}});
    }
    writeFileBytes(indexPath, indexBytes(records));
    FreeSpaceMap freeSpace;
    EXPECT_EQ(readIndexError(indexPath, side, side, freeSpace), "Bad or corrupted file:\n" + indexPath);
}

// The files the editor writes need a small part of what opening allows: the
// atlas of 100,000 random insertions and removals, opened with its entries
// in name order.
TEST_F(IndexFileTest, OpeningWhatEditingMadeStaysFarWithinTheLimits) {
    PackingSession<FreeSpaceMap> session(5, 256, SessionMix{25, 5, 0, 0, 4, 64});
    for (int step = 0; step < 100000; ++step) {
        session.step();
    }

    EntryTable entries;
    for (const AtlasRect& cell : session.cells) {
        entries.emplace("CELL" + std::to_string(entries.size()),
                        AtlasEntry{cell.x + 1, cell.y + 1, cell.width - 2, cell.height - 2, 1});
    }
    writeIndex(indexPath, entries);
    FreeSpaceMap opened;
    ASSERT_EQ(readIndexError(indexPath, session.width, session.height, opened), "opened");
    const std::uint64_t records = entries.size();
    EXPECT_LT(opened.usage().bytes, (freeSpaceForReading.bytes + freeSpacePerRecord.bytes * records) / 4);
    EXPECT_LT(opened.usage().steps, (freeSpaceForReading.steps + freeSpacePerRecord.steps * records) / 8);
}
