// Undo and redo of a string table, against the same changes made anew on the
// table as read.
#include "stringhistory.h"

#include <algorithm>
#include <random>

#include <gtest/gtest.h>

#include "datfile.h"
#include "tableslots.h"
#include "datwriter.h"
#include "testfolder.h"

namespace {

// A change as a session makes it, naming entries by their place in the list;
// `id` tells a redone change from one made anew.
struct Change {
    StringEdit edit;
    std::string name;
    std::u16string text;
    std::vector<std::size_t> places;
    int id;
};

std::vector<StringEntry*> EntriesAt(const StringTable& table, const std::vector<std::size_t>& places) {
    std::vector<StringEntry*> list;
    for (StringEntry* entry = table.head; entry != nullptr; entry = entry->next) {
        list.push_back(entry);
    }
    std::vector<StringEntry*> chosen;
    for (std::size_t place : places) {
        chosen.push_back(list[place]);
    }
    return chosen;
}

// An import's new table: the change's name with a few numbers, the text
// each time, in every table the same slots.
StringTablePtr ImportedTable(const Change& change) {
    StringTablePtr imported = StringTableCreate();
    for (std::size_t i = 0; i < change.places.size(); ++i) {
        StringTableInsert(*imported, (change.name + std::to_string(i)).c_str(), Units(change.text).c_str());
    }
    return imported;
}

// Without steps, as the table did before it had a history.
void MakeAnew(StringTable& table, const Change& change) {
    const std::vector<StringEntry*> entries = EntriesAt(table, change.places);
    const std::basic_string<TextUnit> text = Units(change.text);
    switch (change.edit) {
    case StringEdit::Insert: StringTableInsert(table, change.name.c_str(), text.c_str()); break;
    case StringEdit::Edit: StringTableReplace(table, entries[0], change.name.c_str(), text.c_str()); break;
    case StringEdit::Delete: StringTableRemoveEntries(table, entries.data(), entries.size()); break;
    case StringEdit::Import: SwapTableEntries(table, *ImportedTable(change)); break;
    }
}

void MakeStep(StringTable& table, const Change& change) {
    const std::vector<StringEntry*> entries = EntriesAt(table, change.places);
    const std::basic_string<TextUnit> text = Units(change.text);
    switch (change.edit) {
    case StringEdit::Insert: ASSERT_NE(StringTableInsertStep(table, change.name.c_str(), text.c_str()), nullptr); break;
    case StringEdit::Edit:
        ASSERT_TRUE(StringTableReplaceStep(table, entries[0], change.name.c_str(), text.c_str()));
        break;
    case StringEdit::Delete: ASSERT_TRUE(StringTableRemoveStep(table, entries.data(), entries.size())); break;
    case StringEdit::Import: ASSERT_TRUE(StringTableReplaceAllStep(table, ImportedTable(change))); break;
    }
}

// The list with each entry's slot, and the free slots of the blocks both
// tables have (an undone insertion keeps the block it added).
struct TableState {
    TableState(const StringTable& table, std::uint16_t blocks) : count(table.count) {
        for (const StringEntry* entry = table.head; entry != nullptr; entry = entry->next) {
            list.push_back(FileEntry{entry->key, TextOf(*entry), entry->name});
            slots.push_back(IdOfSlot(table, entry));
        }
        for (EntryId id = table.freeHead; id != kNoEntryId; id = SlotOf(table, id)->link) {
            if ((id >> kBlockShift) < blocks) {
                freeSlots.push_back(id);
            }
        }
    }
    bool operator==(const TableState& o) const {
        return count == o.count && list == o.list && slots == o.slots && freeSlots == o.freeSlots;
    }

    std::uint32_t count;
    std::vector<FileEntry> list;
    std::vector<EntryId> slots;
    std::vector<EntryId> freeSlots;
};

TEST(StringHistory, EveryStateOfRandomSessionsEqualsItsChangesMadeAnew) {
    TestFolder folder;
    const std::string start = folder.path("START.DAT");
    std::vector<FileEntry> file;
    for (std::uint32_t i = 0; i < 70; ++i) {  // over one block, keys out of order
        file.push_back(FileEntry{0x10000000u * (i % 16), u"t", "n" + std::to_string(i)});
    }
    WriteBytes(start, DatBytes(file));
    std::mt19937 random(11);
    int lastId = 0;
    for (int session = 0; session < 6; ++session) {
        StringTablePtr table = ReadStringTable(start.c_str()).table;
        std::vector<Change> made, undone;
        std::vector<int> saved;
        for (int action = 0; action < 60; ++action) {
            const std::uint32_t roll = random() % 10;
            StringStepEffect effect{};
            if (roll < 3 && !made.empty()) {
                ASSERT_TRUE(StringTableUndo(*table, &effect));
                EXPECT_EQ(effect.edit, made.back().edit);
                undone.push_back(made.back());
                made.pop_back();
            } else if (roll < 5 && !undone.empty()) {
                ASSERT_TRUE(StringTableRedo(*table, &effect));
                EXPECT_EQ(effect.edit, undone.back().edit);
                made.push_back(undone.back());
                undone.pop_back();
            } else if (roll < 6) {
                StringTableMarkSaved(*table);
                saved.clear();
                std::transform(made.begin(), made.end(), std::back_inserter(saved), [](auto& c) { return c.id; });
            } else {
                // Names of a few keys, in either letter case, so that insertions
                // replace texts and keys repeat; entries to delete may repeat.
                const std::string name = std::string(random() % 2 ? "N" : "n") + char('a' + random() % 90);
                Change change{StringEdit(random() % 10 == 0 ? 3 : random() % 3),
                              name,
                              std::u16string(random() % 3, u'x'),
                              {},
                              ++lastId};
                const std::size_t places =
                    change.edit == StringEdit::Delete || change.edit == StringEdit::Import ? 1 + random() % 80 : 1;
                for (std::size_t i = 0; i < places && table->count > 0; ++i) {
                    change.places.push_back(random() % table->count);
                }
                if (change.edit != StringEdit::Insert && change.places.empty()) {
                    continue;
                }
                MakeStep(*table, change);
                made.push_back(change);
                undone.clear();
            }
            StringEdit next;
            ASSERT_EQ(StringTableNextRedo(*table, &next), !undone.empty());
            ASSERT_EQ(StringTableNextUndo(*table, &next), !made.empty());
            StringTablePtr replay = ReadStringTable(start.c_str()).table;
            std::vector<int> ids;
            for (const Change& change : made) {
                MakeAnew(*replay, change);
                ids.push_back(change.id);
            }
            ASSERT_TRUE(TableState(*table, replay->blockCount) == TableState(*replay, replay->blockCount))
                << "session " << session << ", action " << action;
            EXPECT_EQ(StringTableIsSaved(*table), ids == saved);
        }
        while (StringTableUndo(*table, nullptr)) {
        }
        ASSERT_EQ(WriteStringTable(*table, folder.path("BACK.DAT").c_str()), DatWriteStatus::Written);
        EXPECT_EQ(ReadBytes(folder.path("BACK.DAT")), ReadBytes(start));
    }
}

}  // namespace
