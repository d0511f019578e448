// Undo and redo of an atlas document, against the same changes made anew on
// the opened pair.
#include <algorithm>
#include <filesystem>
#include <random>
#include <set>

#include <gtest/gtest.h>

#include "atlastestsupport.h"
#include "filepair.h"
#include "filepairtestseam.h"
#include "freespacemap.h"

namespace {

// A change as a session makes it; `id` tells a redone change from one made anew.
struct Change {
    AtlasEdit edit;
    std::vector<std::string> names;  // paths to insert, entries to delete, or old and new name
    int id;
};

void make(FilePair& pair, const Change& change) {
    std::vector<std::string> names = change.names;
    switch (change.edit) {
    case AtlasEdit::Insert: pair.insertFiles(names); break;
    case AtlasEdit::Delete: pair.removeEntries(names); break;
    case AtlasEdit::Rename: pair.rename(names[0], names[1]); break;
    case AtlasEdit::Compact: pair.compact(32, 32); break;
    }
}

// All that a save writes and that decides where the next insertion goes.
struct DocumentState {
    explicit DocumentState(const FilePair& pair)
        : width(pair.width()), height(pair.height()), entries(pair.entries()), freeRects(freeSpaceOf(pair).freeRects()),
          vacantSlots(freeSpaceOf(pair).vacantSlots()) {
        const BYTE* bits = FreeImage_GetBits(bitmapOf(pair));
        pixels.assign(bits, bits + std::size_t{FreeImage_GetPitch(bitmapOf(pair))} * height);
    }
    bool operator==(const DocumentState& o) const {
        return width == o.width && height == o.height && entries == o.entries && freeRects == o.freeRects &&
               vacantSlots == o.vacantSlots && pixels == o.pixels;
    }

    std::uint32_t width, height;
    EntryTable entries;
    std::vector<AtlasRect> freeRects;
    std::vector<std::uint32_t> vacantSlots;
    std::vector<BYTE> pixels;
};

std::set<std::string> namesOf(const FilePair& pair) {
    std::set<std::string> names;
    for (const auto& entry : pair.entries()) {
        names.insert(entry.first);
    }
    return names;
}

class AtlasHistoryTest : public ::testing::Test {
protected:
    // Images of 1-20 px, two of them with one file name in two folders.
    AtlasHistoryTest() {
        std::filesystem::create_directory(folder.path("other"));
        for (std::uint32_t i = 0; i < 12; ++i) {
            images.push_back(folder.path(i == 11 ? "other/I0.PNG" : "I" + std::to_string(i) + ".PNG"));
            writePatternPng(images.back(), 1 + i * 7 % 20, 1 + i * 11 % 20, i);
        }
        FilePair start(24, 24);
        std::vector<std::string> first(images.begin(), images.begin() + 4);
        start.insertFiles(first);
        start.savePair(index, image, -1);
    }

    Change randomChange(const FilePair& pair) {
        const std::set<std::string> present = namesOf(pair);
        const std::vector<std::string> names(present.begin(), present.end());
        const std::uint32_t roll = random() % 20;
        Change change{AtlasEdit::Insert, {}, ++lastId};
        if (roll < 2) {
            change.edit = AtlasEdit::Compact;
        } else if (roll < 6 && !names.empty()) {
            change.edit = AtlasEdit::Rename;
            change.names = {names[random() % names.size()], "R" + std::to_string(change.id)};
        } else if (roll < 11 && !names.empty()) {
            change.edit = AtlasEdit::Delete;
            for (std::uint32_t n = 1 + random() % 3; n > 0; --n) {
                change.names.push_back(names[random() % names.size()]);
            }
        } else {
            for (std::uint32_t n = 1 + random() % 4; n > 0; --n) {
                change.names.push_back(images[random() % images.size()]);
            }
        }
        return change;
    }

    TestFolder folder;
    std::vector<std::string> images;
    const std::string index = folder.path("START.PXA");
    const std::string image = folder.path("START.TGA");
    std::mt19937 random{7};
    int lastId = 0;
};

TEST_F(AtlasHistoryTest, EveryStateOfRandomSessionsEqualsItsChangesMadeAnew) {
    for (int session = 0; session < 6; ++session) {
        FilePair pair(index, image);
        std::vector<Change> made;
        std::vector<Change> undone;
        std::vector<int> saved;  // ids of the changes made when last saved
        for (int action = 0; action < 40; ++action) {
            const std::set<std::string> namesBefore = namesOf(pair);
            const std::uint32_t roll = random() % 10;
            EntryNameChanges names;
            if (roll < 3 && !made.empty()) {
                ASSERT_EQ(pair.undoableEdit(), made.back().edit);
                names = pair.undo();
                undone.push_back(made.back());
                made.pop_back();
            } else if (roll < 5 && !undone.empty()) {
                ASSERT_EQ(pair.redoableEdit(), undone.back().edit);
                names = pair.redo();
                made.push_back(undone.back());
                undone.pop_back();
            } else if (roll < 6) {
                pair.savePair(folder.path("SAVED.PXA"), folder.path("SAVED.TGA"), -1);
                saved.clear();
                std::transform(made.begin(), made.end(), std::back_inserter(saved), [](auto& c) { return c.id; });
            } else {
                const Change change = randomChange(pair);
                make(pair, change);
                if (change.edit != AtlasEdit::Rename || pair.find(change.names[1]) != nullptr) {
                    made.push_back(change);
                    undone.clear();
                }
            }
            ASSERT_EQ(pair.redoableEdit().has_value(), !undone.empty());
            FilePair replay(index, image);
            std::vector<int> ids;
            for (const Change& change : made) {
                make(replay, change);
                ids.push_back(change.id);
            }
            ASSERT_TRUE(DocumentState(pair) == DocumentState(replay)) << "session " << session << ", action " << action;
            EXPECT_EQ(pair.isModified(), ids != saved);
            std::vector<std::string> gone, come;
            const std::set<std::string> namesAfter = namesOf(pair);
            std::set_difference(namesBefore.begin(), namesBefore.end(), namesAfter.begin(), namesAfter.end(),
                                std::back_inserter(gone));
            std::set_difference(namesAfter.begin(), namesAfter.end(), namesBefore.begin(), namesBefore.end(),
                                std::back_inserter(come));
            if (roll < 5) {
                EXPECT_EQ(names.removed, gone);
                EXPECT_EQ(names.added, come);
            }
            if (action % 7 == 0 && !namesAfter.empty()) {
                pair.select(*namesAfter.begin());
            }
            EXPECT_TRUE(pair.selected() == nullptr ||
                        std::any_of(pair.entries().begin(), pair.entries().end(),
                                    [&](const auto& entry) { return &entry.second == pair.selected(); }));
        }
        while (pair.undoableEdit()) {
            pair.undo();
        }
        pair.savePair(folder.path("BACK.PXA"), folder.path("BACK.TGA"), -1);
        EXPECT_EQ(readFileBytes(folder.path("BACK.PXA")), readFileBytes(index));
        EXPECT_EQ(readFileBytes(folder.path("BACK.TGA")), readFileBytes(image));
    }
}

TEST_F(AtlasHistoryTest, KeepsTheLatestStepsWithinItsBudget) {
    FilePair pair(index, image);
    pair.limitHistory(1000);
    std::string name = "I0.PNG";
    for (int n = 0; n < 10; ++n) {
        ASSERT_TRUE(pair.rename(name, "RENAMED" + std::to_string(n)));
        name = "RENAMED" + std::to_string(n);
    }
    EXPECT_LE(pair.historyBytes(), 1000u);
    int undone = 0;
    for (; pair.undoableEdit(); ++undone) {
        pair.undo();
    }
    EXPECT_GT(undone, 0);
    EXPECT_LT(undone, 10) << "the oldest steps are dropped";
    EXPECT_TRUE(pair.find("RENAMED" + std::to_string(9 - undone)) != nullptr);

    // A 16 x 16 image's cell alone needs 18 x 18 pixels of 4 bytes.
    std::vector<std::string> large{images[5]};
    pair.insertFiles(large);
    EXPECT_TRUE(pair.find("I5.PNG") != nullptr);
    EXPECT_FALSE(pair.undoableEdit()) << "a step beyond the budget empties the history";
    EXPECT_FALSE(pair.redoableEdit());
}

}  // namespace
