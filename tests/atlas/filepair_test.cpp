// The document's own operations: creation, saving, renaming, removing,
// selecting and extracting entries.
#include "filepair.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "atlasimage.h"
#include "atlastestsupport.h"
#include "exceptions.h"
#include "filepairtestseam.h"
#include "freespacemap.h"
#include "savetestseam.h"

namespace {

template <typename Operation>
std::string errorOf(Operation operation) {
    try {
        operation();
    } catch (const Exception& e) {
        return e.message;
    }
    return "done";
}

// A 64 x 32 atlas full of pattern pixels with three entries.
class OpenedPairTest : public ::testing::Test {
protected:
    OpenedPairTest() {
        const UniqueBitmap image = makePatternImage(64, 32, 5);
        FreeImage_Save(FIF_PNG, image.get(), imagePath.c_str(), 0);
        writeFileBytes(indexPath, indexBytes({{"ONE.TGA", {1, 1, 10, 20, 9}},
                                              {"TWO.TGA", {13, 1, 4, 4, 1}},
                                              {"THREE.TGA", {13, 7, 4, 4, 1}}}));
    }

    TestFolder folder;
    const std::string imagePath = folder.path("atlas.png");
    const std::string indexPath = folder.path("atlas.pxa");
};

}  // namespace

TEST(NewFilePair, IsAnUntitledTransparentBlackAtlasThatIsAllFree) {
    const FilePair pair(256, 256);
    ASSERT_EQ(FreeImage_GetWidth(bitmapOf(pair)), 256u);
    ASSERT_EQ(FreeImage_GetHeight(bitmapOf(pair)), 256u);
    EXPECT_EQ(FreeImage_GetBPP(bitmapOf(pair)), 32u);
    for (std::uint32_t y = 0; y < 256; y += 15) {
        for (std::uint32_t x = 0; x < 256; x += 15) {
            EXPECT_EQ(pixelAt(bitmapOf(pair), x, y), 0u);
        }
    }
    EXPECT_EQ(freeSpaceOf(pair).freeRects(), (std::vector<AtlasRect>{{0, 0, 256, 256}}));
    EXPECT_TRUE(pair.entries().empty());
    EXPECT_TRUE(pair.isUntitled());
    EXPECT_FALSE(pair.isModified());
    EXPECT_EQ(pair.selected(), nullptr);
}

TEST(NewFilePair, FailsWhenNoBitmapCanBeMade) {
    EXPECT_EQ(errorOf([] { FilePair(0, 256); }), "Unable to create bitmap");
    EXPECT_EQ(errorOf([] { FilePair(256, -1); }), "Unable to create bitmap");
    ScopedAllocator failing(failingAllocator);
    EXPECT_EQ(errorOf([] { FilePair(256, 256); }), "Unable to create bitmap");
}

TEST_F(OpenedPairTest, RenameRefusesEmptyTakenOrUnknownNames) {
    FilePair pair(indexPath, imagePath);
    const EntryTable before = pair.entries();
    EXPECT_FALSE(pair.rename("ONE.TGA", ""));
    EXPECT_FALSE(pair.rename("ONE.TGA", "TWO.TGA"));
    EXPECT_FALSE(pair.rename("ONE.TGA", "ONE.TGA"));
    EXPECT_FALSE(pair.rename("NONE.TGA", "FOUR.TGA"));
    EXPECT_EQ(pair.entries(), before);
    EXPECT_FALSE(pair.isModified());
}

TEST_F(OpenedPairTest, RenameMovesTheWholeEntryAndTheSelectionFollowsIt) {
    FilePair pair(indexPath, imagePath);
    ASSERT_TRUE(pair.select("ONE.TGA"));
    const std::vector<AtlasRect> freeBefore = freeSpaceOf(pair).freeRects();

    EXPECT_TRUE(pair.rename("ONE.TGA", "FIRST.TGA"));
    EXPECT_EQ(pair.find("ONE.TGA"), nullptr);
    ASSERT_NE(pair.find("FIRST.TGA"), nullptr);
    EXPECT_EQ(*pair.find("FIRST.TGA"), (AtlasEntry{1, 1, 10, 20, 9}));
    EXPECT_EQ(pair.selected(), pair.find("FIRST.TGA"));
    EXPECT_EQ(modifiedBitsOf(pair), FilePair::ImageModified | FilePair::IndexModified);
    EXPECT_EQ(freeSpaceOf(pair).freeRects(), freeBefore);
    EXPECT_EQ(pixelAt(bitmapOf(pair), 1, 1), patternPixel(5, 1, 1));

    EXPECT_TRUE(pair.rename("TWO.TGA", "2.TGA"));
    EXPECT_EQ(pair.selected(), pair.find("FIRST.TGA"));
}

TEST_F(OpenedPairTest, RemoveBlanksTheCellFreesItAndClearsTheSelection) {
    FilePair pair(indexPath, imagePath);
    pair.select("ONE.TGA");
    pair.remove("ONE.TGA");

    EXPECT_EQ(pair.find("ONE.TGA"), nullptr);
    EXPECT_EQ(pair.entries().size(), 2u);
    EXPECT_EQ(pair.selected(), nullptr);
    EXPECT_EQ(modifiedBitsOf(pair), FilePair::ImageModified | FilePair::IndexModified);
    for (std::uint32_t y = 0; y < 32; ++y) {
        for (std::uint32_t x = 0; x < 64; ++x) {
            const bool inCell = x < 12 && y < 22;
            ASSERT_EQ(pixelAt(bitmapOf(pair), x, y), inCell ? 0u : patternPixel(5, x, y)) << x << "," << y;
        }
    }
    // The freed cell holds exactly the cell again.
    FreeSpaceMap freeSpace = freeSpaceOf(pair);
    AtlasRect cell{0, 0, 12, 22};
    EXPECT_TRUE(freeSpace.place(cell));
}

TEST_F(OpenedPairTest, RemoveOfAnUnknownNameDoesNothing) {
    FilePair pair(indexPath, imagePath);
    pair.remove("one.tga");  // names are exact: the application upper-cases first
    EXPECT_EQ(pair.entries().size(), 3u);
    EXPECT_FALSE(pair.isModified());
}

TEST_F(OpenedPairTest, RemoveBlanksTheCellWithoutAllocatingABitmap) {
    FilePair pair(indexPath, imagePath);
    {
        ScopedAllocator failing(failingAllocator);
        pair.remove("TWO.TGA");
    }
    EXPECT_EQ(pixelAt(bitmapOf(pair), 13, 1), 0u);
    EXPECT_EQ(pair.find("TWO.TGA"), nullptr);
}

TEST_F(OpenedPairTest, SelectReportsWhetherTheSelectionChanged) {
    FilePair pair(indexPath, imagePath);
    EXPECT_FALSE(pair.select("NONE.TGA"));
    EXPECT_TRUE(pair.select("TWO.TGA"));
    EXPECT_EQ(pair.selected(), pair.find("TWO.TGA"));
    EXPECT_FALSE(pair.select("TWO.TGA"));
    EXPECT_TRUE(pair.select("THREE.TGA"));
    EXPECT_TRUE(pair.select("NONE.TGA"));
    EXPECT_EQ(pair.selected(), nullptr);
    EXPECT_FALSE(pair.isModified());
}

TEST_F(OpenedPairTest, ExtractWritesTheEntrysPixelsOnly) {
    const FilePair pair(indexPath, imagePath);
    const std::string target = folder.path("one.bmp");
    pair.extract("ONE.TGA", target, -1);
    const UniqueBitmap extracted = loadImage(target);
    ASSERT_EQ(FreeImage_GetWidth(extracted.get()), 10u);
    ASSERT_EQ(FreeImage_GetHeight(extracted.get()), 20u);
    EXPECT_EQ(pixelAt(extracted.get(), 0, 0), patternPixel(5, 1, 1));
    EXPECT_EQ(pixelAt(extracted.get(), 9, 19), patternPixel(5, 10, 20));
    EXPECT_FALSE(pair.isModified());

    pair.extract("NONE.TGA", folder.path("none.bmp"), -1);
    EXPECT_FALSE(fileExists(folder.path("none.bmp")));
}

// An extracted entry is a copy of pixels the atlas keeps: a new file goes in
// place unflushed, but one that replaces a file is flushed first, and a
// failed flush leaves the old file as it was.
TEST_F(OpenedPairTest, ExtractFlushesOnlyAFileThatReplacesAnother) {
    struct Disarm {
        ~Disarm() { FailFileStepAfter(FileStep::None, -1); }
    } disarm;
    const FilePair pair(indexPath, imagePath);
    const Bytes old = {'o', 'l', 'd'};
    writeFileBytes(folder.path("old.bmp"), old);
    FailFileStepAfter(FileStep::Flush, 0);
    pair.extract("ONE.TGA", folder.path("new.bmp"), -1);
    EXPECT_EQ(errorOf([&] { pair.extract("ONE.TGA", folder.path("old.bmp"), -1); }), "Unable to save image");
    EXPECT_EQ(readFileBytes(folder.path("old.bmp")), old);
    EXPECT_EQ(FreeImage_GetHeight(loadImage(folder.path("new.bmp")).get()), 20u);
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"atlas.png", "atlas.pxa", "new.bmp", "old.bmp"}));
}

TEST_F(OpenedPairTest, SavingAdoptsTheNamesAndClearsOnlyItsOwnBit) {
    FilePair pair(indexPath, imagePath);
    pair.remove("TWO.TGA");
    const std::string newIndex = folder.path("copy.pxa");
    const std::string newImage = folder.path("copy.tga");

    pair.saveIndex(newIndex);
    EXPECT_EQ(pair.indexFileName(), newIndex);
    EXPECT_EQ(modifiedBitsOf(pair), FilePair::ImageModified);

    pair.saveImage(newImage, -1);
    EXPECT_EQ(pair.imageFileName(), newImage);
    EXPECT_FALSE(pair.isModified());
    EXPECT_EQ(FreeImage_GetFileType(newImage.c_str(), 0), FIF_TARGA);

    const FilePair reopened(newIndex, newImage);
    EXPECT_EQ(reopened.entries(), pair.entries());
    EXPECT_EQ(pixelAt(bitmapOf(reopened), 14, 2), 0u);
    EXPECT_EQ(pixelAt(bitmapOf(reopened), 30, 30), patternPixel(5, 30, 30));
}

TEST_F(OpenedPairTest, SaveWritesBothFilesUnderTheirOwnNames) {
    FilePair pair(indexPath, imagePath);
    pair.rename("ONE.TGA", "UNO.TGA");
    pair.save(FIF_BMP);
    EXPECT_FALSE(pair.isModified());
    EXPECT_EQ(FreeImage_GetFileType(imagePath.c_str(), 0), FIF_BMP);
    EXPECT_NE(FilePair(indexPath, imagePath).find("UNO.TGA"), nullptr);
}

TEST_F(OpenedPairTest, AFailedImageSaveKeepsTheOldFileTheNameAndTheBit) {
    FilePair pair(indexPath, imagePath);
    pair.remove("ONE.TGA");
    const Bytes oldJpeg = {'o', 'l', 'd'};
    writeFileBytes(folder.path("old.jpg"), oldJpeg);

    // JPEG cannot hold 32-bit pixels; the other names no format at all.
    EXPECT_EQ(errorOf([&] { pair.saveImage(folder.path("old.jpg"), -1); }), "Unable to save image");
    EXPECT_EQ(errorOf([&] { pair.saveImage(folder.path("atlas.unknown"), -1); }), "Unable to save image");
    EXPECT_EQ(errorOf([&] { pair.saveImage(folder.path("missing/atlas.tga"), -1); }), "Unable to save image");

    EXPECT_EQ(readFileBytes(folder.path("old.jpg")), oldJpeg);
    EXPECT_EQ(pair.imageFileName(), imagePath);
    EXPECT_EQ(modifiedBitsOf(pair), FilePair::ImageModified | FilePair::IndexModified);
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"atlas.png", "atlas.pxa", "old.jpg"}));
}

TEST_F(OpenedPairTest, AFailedIndexSaveKeepsTheOldFileTheNameAndTheBit) {
    FilePair pair(indexPath, imagePath);
    pair.remove("ONE.TGA");
    const Bytes oldIndex = readFileBytes(indexPath);
    // A folder where the index should go: the new file is complete but cannot replace it.
    const std::string blocked = folder.path("blocked.pxa");
    std::filesystem::create_directory(blocked);

    EXPECT_EQ(errorOf([&] { pair.saveIndex(blocked); }), "Unable to write to file");
    EXPECT_EQ(errorOf([&] { pair.saveIndex(folder.path("missing/atlas.pxa")); }), "Unable to create file");
    // save() writes the index first and stops there.
    EXPECT_EQ(errorOf([&] { FilePair(16, 16).save(-1); }), "Unable to create file");

    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    EXPECT_EQ(readFileBytes(indexPath), oldIndex);
    EXPECT_EQ(pair.indexFileName(), indexPath);
    EXPECT_EQ(modifiedBitsOf(pair), FilePair::ImageModified | FilePair::IndexModified);
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"atlas.png", "atlas.pxa", "blocked.pxa"}));
}

TEST_F(OpenedPairTest, AFailedSaveOfTheIndexLeavesTheImageUnwritten) {
    FilePair pair(indexPath, imagePath);
    pair.remove("ONE.TGA");
    pair.saveImage(imagePath, -1);
    const Bytes savedImage = readFileBytes(imagePath);
    pair.remove("TWO.TGA");
    std::filesystem::remove(indexPath);
    std::filesystem::create_directory(indexPath);

    EXPECT_THROW(pair.save(-1), Exception);
    EXPECT_EQ(readFileBytes(imagePath), savedImage);
    EXPECT_EQ(modifiedBitsOf(pair), FilePair::ImageModified | FilePair::IndexModified);
}

// The pair goes in place as one unit: whichever step fails for whichever
// file, both files, the names and the bits stay as they were.
TEST_F(OpenedPairTest, AFailedPairSaveLeavesBothFilesAsTheyWereAndNamesTheFailedOne) {
    struct Case {
        FileStep step;
        long successes;
        std::string failedFile;
    };
    const Case cases[] = {
        {FileStep::Create, 1, imagePath},
        {FileStep::Flush, 1, imagePath},
        {FileStep::Replace, 0, indexPath},
        {FileStep::Replace, 1, imagePath},  // the index was in place already and goes back
    };
    struct Disarm {
        ~Disarm() { FailFileStepAfter(FileStep::None, -1); }
    } disarm;
    FilePair pair(indexPath, imagePath);
    pair.remove("ONE.TGA");
    const Bytes index = readFileBytes(indexPath);
    const Bytes image = readFileBytes(imagePath);
    for (const Case& c : cases) {
        FailFileStepAfter(c.step, c.successes);
        try {
            pair.save(-1);
            ADD_FAILURE() << "saved";
        } catch (const FileException& e) {
            EXPECT_EQ(e.fileName, c.failedFile);
            EXPECT_EQ(e.note, "");
        }
        FailFileStepAfter(c.step, -1);
        EXPECT_EQ(readFileBytes(indexPath), index);
        EXPECT_EQ(readFileBytes(imagePath), image);
        EXPECT_EQ(modifiedBitsOf(pair), FilePair::ImageModified | FilePair::IndexModified);
        EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"atlas.png", "atlas.pxa"}));
    }
    pair.save(-1);
    EXPECT_EQ(FilePair(indexPath, imagePath).entries(), pair.entries());
}

TEST(FilePairErrors, NameTheirSourceFileWithoutFolder) {
    TestFolder folder;
    writeBlankAtlas(folder.path("atlas.tga"), 16, 16);
    try {
        FilePair pair(folder.path("missing.pxa"), folder.path("atlas.tga"));
        FAIL() << "opened without an index";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message, "Unable to open file");
        EXPECT_EQ(e.file, "indexfile.cpp");
        EXPECT_GT(e.line, 0);
    }
}
