// Packing image files into the atlas: order, placement, growth, borders,
// replacement and rollback.
#include <filesystem>
#include <functional>
#include <tuple>

#include <gtest/gtest.h>

#include "allocation_failure.h"
#include "atlastestsupport.h"
#include "exceptions.h"
#include "filepair.h"
#include "filepairtestseam.h"
#include "freespacemap.h"

namespace {

class InsertFilesTest : public ::testing::Test {
protected:
    // Writes a pattern PNG of that size and returns its path.
    std::string image(const std::string& name, std::uint32_t width, std::uint32_t height, std::uint32_t seed = 1) {
        const std::string path = folder.path(name);
        writePatternPng(path, width, height, seed);
        return path;
    }

    std::string insertError(FilePair& pair, std::vector<std::string>& paths) {
        try {
            pair.insertFiles(paths);
        } catch (const Exception& e) {
            return e.message;
        }
        return "inserted";
    }

    TestFolder folder;
};

std::vector<std::string> fileNamesOf(const std::vector<std::string>& paths) {
    std::vector<std::string> names;
    for (const std::string& path : paths) {
        names.push_back(std::filesystem::path(path).filename().string());
    }
    return names;
}

struct DocumentState {
    explicit DocumentState(const FilePair& pair)
        : bitmap(bitmapOf(pair)), width(FreeImage_GetWidth(bitmapOf(pair))),
          height(FreeImage_GetHeight(bitmapOf(pair))), entries(pair.entries()),
          freeRects(freeSpaceOf(pair).freeRects()), vacantSlots(freeSpaceOf(pair).vacantSlots()),
          modified(modifiedBitsOf(pair)), selected(pair.selected()) {}

    FIBITMAP* bitmap;
    std::uint32_t width;
    std::uint32_t height;
    EntryTable entries;
    std::vector<AtlasRect> freeRects;
    std::vector<std::uint32_t> vacantSlots;
    std::uint32_t modified;
    const AtlasEntry* selected;
};

void expectUnchanged(const DocumentState& before, const FilePair& pair) {
    const DocumentState after(pair);
    EXPECT_EQ(after.bitmap, before.bitmap);
    EXPECT_EQ(after.width, before.width);
    EXPECT_EQ(after.height, before.height);
    EXPECT_EQ(after.entries, before.entries);
    EXPECT_EQ(after.freeRects, before.freeRects);
    EXPECT_EQ(after.vacantSlots, before.vacantSlots);
    EXPECT_EQ(after.modified, before.modified);
    EXPECT_EQ(after.selected, before.selected);
}

AtlasEntry entryOf(const FilePair& pair, const std::string& name) {
    const AtlasEntry* entry = pair.find(name);
    EXPECT_NE(entry, nullptr) << name;
    return entry ? *entry : AtlasEntry{};
}

// True when one free rectangle holds the whole area.
bool isFree(const FreeSpaceMap& freeSpace, const AtlasRect& area) {
    for (const AtlasRect& r : freeSpace.freeRects()) {
        if (area.x >= r.x && area.x + area.width <= r.x + r.width && area.y >= r.y &&
            area.y + area.height <= r.y + r.height) {
            return true;
        }
    }
    return false;
}

// What an insertion says it placed, in a form tests compare.
using Placement = std::tuple<std::string, AtlasEntry, bool>;
std::vector<Placement> placementsOf(const std::vector<PlacedEntry>& placed) {
    std::vector<Placement> placements;
    for (const PlacedEntry& entry : placed) {
        placements.emplace_back(entry.name, entry.entry, entry.replaced);
    }
    return placements;
}

std::vector<std::pair<int, int>> allocatedSizes() {
    std::vector<std::pair<int, int>> sizes;
    for (const RecordedAllocation& a : recordedAllocations()) {
        sizes.emplace_back(a.width, a.height);
    }
    return sizes;
}

}  // namespace

TEST_F(InsertFilesTest, ImagesOfEqualAreaComeOutInTheQuicksortsOrder) {
    FilePair pair(256, 256);
    std::vector<std::string> two = {image("a.png", 2, 3), image("b.png", 3, 2)};
    pair.insertFiles(two);
    EXPECT_EQ(fileNamesOf(two), (std::vector<std::string>{"b.png", "a.png"}));
    EXPECT_EQ(entryOf(pair, "B.PNG").x, 1u);

    std::vector<std::string> four = {image("A.png", 2, 2), image("B.png", 4, 1), image("C.png", 1, 4),
                                     image("D.png", 2, 2)};
    pair.insertFiles(four);
    EXPECT_EQ(fileNamesOf(four), (std::vector<std::string>{"C.png", "D.png", "A.png", "B.png"}));
}

TEST_F(InsertFilesTest, LargerAreasArePlacedFirst) {
    FilePair pair(256, 256);
    std::vector<std::string> paths = {image("one.png", 1, 1), image("two.png", 2, 1), image("three.png", 3, 1),
                                      image("six.png", 2, 3), image("big.png", 5, 5)};
    pair.insertFiles(paths);
    EXPECT_EQ(fileNamesOf(paths), (std::vector<std::string>{"big.png", "six.png", "three.png", "two.png", "one.png"}));
    EXPECT_EQ(entryOf(pair, "BIG.PNG"), (AtlasEntry{1, 1, 5, 5, 1}));
    EXPECT_EQ(entryOf(pair, "SIX.PNG"), (AtlasEntry{8, 1, 2, 3, 1}));
    EXPECT_EQ(modifiedBitsOf(pair), FilePair::ImageModified | FilePair::IndexModified);
}

TEST_F(InsertFilesTest, PixelsArePastedExactlyAndTheBorderRepeatsTheEdges) {
    FilePair pair(16, 16);
    std::vector<std::string> paths = {image("tile.png", 4, 3, 6)};
    pair.insertFiles(paths);
    ASSERT_EQ(entryOf(pair, "TILE.PNG"), (AtlasEntry{1, 1, 4, 3, 1}));
    FIBITMAP* atlas = bitmapOf(pair);
    for (std::uint32_t y = 0; y < 16; ++y) {
        for (std::uint32_t x = 0; x < 16; ++x) {
            std::uint32_t expected = 0;
            if (x <= 5 && y <= 4) {
                // The nearest image pixel: cell column 0 repeats image column 0, and so on.
                const std::uint32_t imageX = x == 0 ? 0 : (x == 5 ? 3 : x - 1);
                const std::uint32_t imageY = y == 0 ? 0 : (y == 4 ? 2 : y - 1);
                expected = patternPixel(6, imageX, imageY);
            }
            ASSERT_EQ(pixelAt(atlas, x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(InsertFilesTest, AOnePixelImageFillsItsWholeCell) {
    FilePair pair(8, 8);
    std::vector<std::string> paths = {image("dot.png", 1, 1, 4)};
    pair.insertFiles(paths);
    for (std::uint32_t y = 0; y < 3; ++y) {
        for (std::uint32_t x = 0; x < 3; ++x) {
            EXPECT_EQ(pixelAt(bitmapOf(pair), x, y), patternPixel(4, 0, 0)) << x << "," << y;
        }
    }
    EXPECT_EQ(pixelAt(bitmapOf(pair), 3, 0), 0u);
    EXPECT_EQ(pixelAt(bitmapOf(pair), 0, 3), 0u);
}

TEST_F(InsertFilesTest, AFullAtlasGrowsInWidthFirst) {
    for (const bool oneCall : {true, false}) {
        FilePair pair(256, 256);
        std::vector<std::string> big = {image("big.png", 254, 254, 2)};
        std::vector<std::string> small = {image("small.png", 30, 30, 3)};
        if (oneCall) {
            big.push_back(small.front());
            pair.insertFiles(big);
        } else {
            pair.insertFiles(big);
            pair.insertFiles(small);
        }
        EXPECT_EQ(FreeImage_GetWidth(bitmapOf(pair)), 512u);
        EXPECT_EQ(FreeImage_GetHeight(bitmapOf(pair)), 256u);
        EXPECT_EQ(entryOf(pair, "BIG.PNG"), (AtlasEntry{1, 1, 254, 254, 1}));
        EXPECT_EQ(entryOf(pair, "SMALL.PNG"), (AtlasEntry{257, 1, 30, 30, 1}));
        EXPECT_EQ(pixelAt(bitmapOf(pair), 254, 254), patternPixel(2, 253, 253));
        EXPECT_EQ(pixelAt(bitmapOf(pair), 257, 1), patternPixel(3, 0, 0));
        EXPECT_EQ(pixelAt(bitmapOf(pair), 300, 200), 0u);
    }
}

TEST_F(InsertFilesTest, AWideImageTakesOneAllocationPerGrowthStep) {
    FilePair pair(256, 256);
    std::vector<std::string> first = {image("first.png", 8, 8, 5)};
    pair.insertFiles(first);

    ScopedAllocator recording(recordingAllocator);
    std::vector<std::string> wide = {image("wide.png", 600, 100, 7)};
    pair.insertFiles(wide);
    EXPECT_EQ(allocatedSizes(), (std::vector<std::pair<int, int>>{{512, 256}, {512, 512}, {1024, 512}, {1024, 1024}}));
    EXPECT_EQ(FreeImage_GetWidth(bitmapOf(pair)), 1024u);
    EXPECT_EQ(FreeImage_GetHeight(bitmapOf(pair)), 1024u);
    EXPECT_EQ(entryOf(pair, "WIDE.PNG"), (AtlasEntry{1, 513, 600, 100, 1}));
    EXPECT_EQ(pixelAt(bitmapOf(pair), 600, 612), patternPixel(7, 599, 99));
    // The old atlas came along into the enlarged one.
    EXPECT_EQ(pixelAt(bitmapOf(pair), 0, 0), patternPixel(5, 0, 0));
    EXPECT_EQ(pixelAt(bitmapOf(pair), 8, 8), patternPixel(5, 7, 7));
}

TEST_F(InsertFilesTest, GrowthWorksOnSizesThatAreNotPowersOfTwo) {
    writeBlankAtlas(folder.path("atlas.tga"), 300, 100);
    writeFileBytes(folder.path("atlas.pxa"), {0, 0, 0, 0});
    FilePair pair(folder.path("atlas.pxa"), folder.path("atlas.tga"));

    ScopedAllocator recording(recordingAllocator);
    std::vector<std::string> paths = {image("tall.png", 598, 398)};
    pair.insertFiles(paths);
    EXPECT_EQ(allocatedSizes(), (std::vector<std::pair<int, int>>{{300, 200}, {300, 400}, {600, 400}, {600, 800}}));
    EXPECT_EQ(entryOf(pair, "TALL.PNG"), (AtlasEntry{1, 401, 598, 398, 1}));
}

TEST_F(InsertFilesTest, ReinsertingANameReplacesTheEntryInANewCell) {
    FilePair pair(64, 64);
    std::vector<std::string> first = {image("tile.png", 8, 8, 1)};
    EXPECT_EQ(placementsOf(pair.insertFiles(first)), (std::vector<Placement>{{"TILE.PNG", {1, 1, 8, 8, 1}, false}}));
    pair.select("TILE.PNG");

    writePatternPng(first.front(), 8, 8, 2);
    std::vector<std::string> again = first;
    EXPECT_EQ(placementsOf(pair.insertFiles(again)), (std::vector<Placement>{{"TILE.PNG", {11, 1, 8, 8, 1}, true}}));

    ASSERT_EQ(pair.entries().size(), 1u);
    const AtlasEntry replaced = entryOf(pair, "TILE.PNG");
    EXPECT_EQ(replaced, (AtlasEntry{11, 1, 8, 8, 1}));
    EXPECT_EQ(pixelAt(bitmapOf(pair), 11, 1), patternPixel(2, 0, 0));
    EXPECT_EQ(pair.selected(), nullptr);
    for (std::uint32_t y = 0; y < 10; ++y) {
        for (std::uint32_t x = 0; x < 10; ++x) {
            ASSERT_EQ(pixelAt(bitmapOf(pair), x, y), 0u) << x << "," << y;
        }
    }
    EXPECT_TRUE(isFree(freeSpaceOf(pair), {0, 0, 10, 10}));
}

TEST_F(InsertFilesTest, TheSameFileNameTwiceInOneCallKeepsTheLaterPlacedImage) {
    std::filesystem::create_directories(folder.path("one"));
    std::filesystem::create_directories(folder.path("two"));
    const std::string native = image((std::filesystem::path("one") / "tile.png").string(), 4, 4, 1);
    const std::string slashed = folder.path("two") + "/TILE.PNG";
    writePatternPng(slashed, 6, 6, 2);

    FilePair pair(64, 64);
    std::vector<std::string> paths = {native, slashed};
    EXPECT_EQ(placementsOf(pair.insertFiles(paths)),
              (std::vector<Placement>{{"TILE.PNG", {1, 1, 6, 6, 1}, false}, {"TILE.PNG", {9, 1, 4, 4, 1}, true}}));
    EXPECT_EQ(paths, (std::vector<std::string>{slashed, native}));
    ASSERT_EQ(pair.entries().size(), 1u);
    EXPECT_EQ(entryOf(pair, "TILE.PNG"), (AtlasEntry{9, 1, 4, 4, 1}));
    EXPECT_EQ(pixelAt(bitmapOf(pair), 9, 1), patternPixel(1, 0, 0));
    EXPECT_EQ(pixelAt(bitmapOf(pair), 1, 1), 0u);  // the 6 x 6 image's cell was blanked
}

TEST_F(InsertFilesTest, AnUnreadableFileLeavesDocumentAndListAsTheyWere) {
    FilePair pair(64, 64);
    std::vector<std::string> first = {image("first.png", 4, 4)};
    pair.insertFiles(first);
    pair.select("FIRST.PNG");
    writeFileBytes(folder.path("bad.qqq"), {'x', 'y', 'z'});
    const DocumentState before(pair);

    std::vector<std::string> paths = {image("small.png", 2, 2), folder.path("bad.qqq"), image("big.png", 9, 9)};
    const std::vector<std::string> given = paths;
    EXPECT_EQ(insertError(pair, paths), "Unsupported image format");
    EXPECT_EQ(paths, given);
    expectUnchanged(before, pair);
}

TEST_F(InsertFilesTest, AnEmptyListChangesNothing) {
    FilePair pair(64, 64);
    const DocumentState before(pair);
    std::vector<std::string> none;
    pair.insertFiles(none);
    expectUnchanged(before, pair);
    EXPECT_FALSE(pair.isModified());
}

TEST_F(InsertFilesTest, AFailedGrowthRollsEverythingBack) {
    for (const int successfulGrowths : {0, 1, 2}) {
        FilePair pair(64, 64);
        std::vector<std::string> first = {image("first.png", 20, 20, 3)};
        pair.insertFiles(first);
        pair.remove("FIRST.PNG");
        std::vector<std::string> second = {image("second.png", 20, 20, 4)};
        pair.insertFiles(second);
        pair.select("SECOND.PNG");
        const DocumentState before(pair);

        ScopedAllocator recording(recordingAllocator);
        setRecordingAllocatorLimit(successfulGrowths);
        std::vector<std::string> paths = {image("small.png", 5, 5), image("huge.png", 200, 30)};
        try {
            pair.insertFiles(paths);
            ADD_FAILURE() << "inserted with " << successfulGrowths << " growth steps allowed";
        } catch (const Exception& e) {
            EXPECT_EQ(e.message, "Unable to expand bitmap");
            EXPECT_EQ(e.file, "entrypacking.cpp");
        }
        EXPECT_EQ(recordedAllocations().size(), static_cast<std::size_t>(successfulGrowths) + 1);
        EXPECT_EQ(fileNamesOf(paths), (std::vector<std::string>{"huge.png", "small.png"}));
        expectUnchanged(before, pair);
        const AtlasEntry kept = entryOf(pair, "SECOND.PNG");
        EXPECT_EQ(pixelAt(bitmapOf(pair), kept.x, kept.y), patternPixel(4, 0, 0));

        // The rolled-back document still works.
        setRecordingAllocatorLimit(-1);
        pair.insertFiles(paths);
        EXPECT_EQ(pair.entries().size(), 3u);
    }
}

TEST_F(InsertFilesTest, AReplacedCellIsBlankedWithoutAllocatingABitmap) {
    FilePair pair(64, 64);
    std::vector<std::string> first = {image("tile.png", 8, 8, 1)};
    pair.insertFiles(first);
    writePatternPng(first.front(), 8, 8, 2);
    {
        ScopedAllocator failing(failingAllocator);
        pair.insertFiles(first);
    }
    EXPECT_EQ(entryOf(pair, "TILE.PNG").x, 11u);
    EXPECT_EQ(pixelAt(bitmapOf(pair), 1, 1), 0u);
}

// Every allocation of each change fails in turn, as when memory runs out:
// the change throws std::bad_alloc and the document, pixels included, is as
// it was, until no allocation is left to fail and the change goes through.
TEST_F(InsertFilesTest, RunningOutOfMemoryAnywhereInAChangeLeavesTheDocumentAsItWas) {
    const std::string a = image("a.png", 6, 6, 1);
    const std::string b = image("b.png", 5, 5, 2);
    const std::string other = folder.path("other");
    std::filesystem::create_directory(other);
    const std::string c = image("c.png", 4, 4, 3);
    const std::string otherC = (std::filesystem::path(other) / "c.png").string();
    writePatternPng(otherC, 3, 3, 4);
    const std::string big = image("big.png", 40, 20, 5);
    struct Change {
        const char* what;
        std::function<void(FilePair&)> apply;
    };
    const std::vector<Change> changes = {
        {"insert, replacing A",
         [&](FilePair& pair) {
             std::vector<std::string> paths = {c, a};
             pair.insertFiles(paths);
         }},
        {"insert one name twice",
         [&](FilePair& pair) {
             std::vector<std::string> paths = {c, otherC};
             pair.insertFiles(paths);
         }},
        {"insert, growing the atlas",
         [&](FilePair& pair) {
             std::vector<std::string> paths = {big};
             pair.insertFiles(paths);
         }},
        {"remove two",
         [](FilePair& pair) {
             pair.removeEntries({"A.PNG", "B.PNG"});
         }},
        {"rename", [](FilePair& pair) { pair.rename("A.PNG", "RENAMED.PNG"); }},
    };
    const auto pixels = [](const FilePair& pair) {
        std::vector<std::uint32_t> all;
        for (std::uint32_t y = 0; y < pair.height(); ++y) {
            for (std::uint32_t x = 0; x < pair.width(); ++x) {
                all.push_back(pixelAt(bitmapOf(pair), x, y));
            }
        }
        return all;
    };
    const auto opened = [&] {
        FilePair pair(32, 32);
        std::vector<std::string> start = {a, b};
        pair.insertFiles(start);
        pair.select("A.PNG");
        return pair;
    };
    for (const Change& change : changes) {
        FilePair changed = opened();
        change.apply(changed);
        for (long failing = 0;; ++failing) {
            FilePair pair = opened();
            const DocumentState before(pair);
            const std::vector<std::uint32_t> pixelsBefore = pixels(pair);
            bool threw = false;
            {
                AllocationFailureScope outOfMemory(failing);
                try {
                    change.apply(pair);
                } catch (const std::bad_alloc&) {
                    threw = true;
                }
            }
            if (!AllocationFailed()) {
                EXPECT_NE(modifiedBitsOf(pair), 0u) << change.what;
                break;
            }
            SCOPED_TRACE(std::string(change.what) + ", allocation " + std::to_string(failing));
            if (!threw) {
                // Only the history could not keep the step: the change is
                // made all the same, and nothing is left to undo.
                EXPECT_FALSE(pair.undoableEdit());
                EXPECT_EQ(pair.entries(), changed.entries());
                EXPECT_EQ(freeSpaceOf(pair).freeRects(), freeSpaceOf(changed).freeRects());
                EXPECT_EQ(pixels(pair), pixels(changed));
                continue;
            }
            expectUnchanged(before, pair);
            EXPECT_EQ(pixels(pair), pixelsBefore);
        }
    }
}

// Compaction packs into an atlas of its own: whether that atlas or one of its
// growth steps cannot be had, the document stays as it was.
TEST_F(InsertFilesTest, AFailedCompactionLeavesTheDocumentAsItWas) {
    FilePair pair(64, 64);
    std::vector<std::string> paths = {image("a.png", 20, 20, 3)};
    pair.insertFiles(paths);
    pair.select("A.PNG");
    const DocumentState before(pair);
    for (const int successfulAllocations : {0, 1, 2}) {
        ScopedAllocator recording(recordingAllocator);
        setRecordingAllocatorLimit(successfulAllocations);
        EXPECT_THROW(pair.compact(4, 4), Exception);
        expectUnchanged(before, pair);
    }
}

// An image whose cell no atlas within the limits can hold is refused by name
// and size before anything changes; one that growth steps cannot reach
// within the limits still goes in (the cases on rectangles alone:
// atlasgrowth_test.cpp).
TEST_F(InsertFilesTest, ImagesBeyondTheGrowthStepsFitAndTooLargeOnesAreNamed) {
    FilePair pair(256, 256);
    const DocumentState before(pair);
    std::vector<std::string> tooWide = {image("small.png", 2, 2), image("wide.png", 16383, 1)};
    try {
        pair.insertFiles(tooWide);
        ADD_FAILURE() << "inserted";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message,
                  "wide.png (16383 x 1 pixels) is too large for an atlas: with its one-pixel border an image may have "
                  "at most 16,384 pixels a side and 67,108,864 pixels in all");
        EXPECT_EQ(e.fileName, tooWide[1]);
    }
    expectUnchanged(before, pair);

    std::vector<std::string> fits = {image("strip.png", 16000, 1, 5)};
    pair.insertFiles(fits);
    EXPECT_EQ(FreeImage_GetWidth(bitmapOf(pair)), 16384u);
    EXPECT_EQ(FreeImage_GetHeight(bitmapOf(pair)), 256u);
    EXPECT_EQ(entryOf(pair, "STRIP.PNG"), (AtlasEntry{1, 1, 16000, 1, 1}));
    EXPECT_EQ(pixelAt(bitmapOf(pair), 16000, 1), patternPixel(5, 15999, 0));
}

TEST(AllocateBitmap, RefusesSizesBeyondFreeImageOrTheAddressSpace) {
    ScopedAllocator recording(recordingAllocator);
    setRecordingAllocatorLimit(0);
    EXPECT_EQ(allocateBitmap(0, 16), nullptr);
    EXPECT_EQ(allocateBitmap(16, 0), nullptr);
    EXPECT_EQ(allocateBitmap(0x80000000u, 1), nullptr);
    EXPECT_EQ(allocateBitmap(1, 0xFFFFFFFFu), nullptr);
    EXPECT_TRUE(recordedAllocations().empty());
    if (sizeof(std::size_t) == 4) {
        // 65536 x 65536 x 4 bytes would wrap a 32-bit size.
        EXPECT_EQ(allocateBitmap(65536, 65536), nullptr);
        EXPECT_TRUE(recordedAllocations().empty());
    }
}
