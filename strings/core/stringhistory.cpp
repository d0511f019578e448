#include "stringhistory.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <new>
#include <utility>
#include <vector>

#include "heap.h"
#include "namekey.h"
#include "tableslots.h"

namespace {

enum class StepForm {
    Added,         // new entries went into the list
    Removed,       // entries left it
    TextReplaced,  // an entry got another text
    Rewritten,     // an entry got another name and text, and its key's place
    Swapped,       // the table's entries and those of the step's other table changed places
};

// One entry of a step, with what the entry does not hold now: the name and
// text (owned by the history while not null), key and lengths it had or will
// have, and the entry it goes after when it is put back or moved back.
struct EntryRecord {
    StringEntry* entry = nullptr;
    StringEntry* prev = nullptr;
    std::uint32_t key = 0;
    std::uint32_t textLength = 0;
    std::uint32_t nameLength = 0;
    char* name = nullptr;
    TextUnit* text = nullptr;
};

struct StringStep {
    StringStep() = default;
    StringStep(StringStep&&) noexcept = default;
    StringStep& operator=(StringStep&&) noexcept = default;
    ~StringStep() {
        for (EntryRecord& record : records) {
            TableHeapFree(record.name);
            TableHeapFree(record.text);
        }
    }

    StepForm form = StepForm::Added;
    std::uint64_t stateBefore = 0;
    std::uint64_t stateAfter = 0;
    std::vector<EntryRecord> records;   // in the order the change made them
    std::vector<StringEntry*> entries;  // the same entries, for StringStepEffect
    std::vector<EntryId> ids;           // Added and Removed: their slots, ascending
    StringTablePtr other;               // Swapped: the entries the table does not hold now
};

}  // namespace

// Its states are numbered as they arise, never reusing a number, so a state
// that was saved, undone and replaced by another step is never saved again.
struct StringHistory {
    std::vector<StringStep> steps;
    std::size_t done = 0;  // steps[0, done) are made, the rest undone
    std::uint64_t state = 0;
    std::uint64_t lastState = 0;
    std::uint64_t saved = 0;
};

void FreeStringHistory(StringHistory* history) { delete history; }

namespace {

StringEdit EditOf(StepForm form) {
    switch (form) {
    case StepForm::Added:
    case StepForm::TextReplaced: return StringEdit::Insert;
    case StepForm::Rewritten: return StringEdit::Edit;
    case StepForm::Swapped: return StringEdit::Import;
    case StepForm::Removed: break;
    }
    return StringEdit::Delete;
}

// The table's history, made on first use, with room for one more step, so
// that a change once made can always be kept. Null when out of memory.
StringHistory* HistoryWithRoom(StringTable& table) {
    try {
        if (table.history == nullptr) {
            table.history = new StringHistory();
        }
        std::vector<StringStep>& steps = table.history->steps;
        const std::size_t needed = table.history->done + 1;
        if (steps.capacity() < needed) {
            steps.reserve(std::max(needed, 2 * steps.capacity()));
        }
        return table.history;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// Within the room HistoryWithRoom made.
void Keep(StringHistory& history, StringStep step) noexcept {
    while (history.steps.size() > history.done) {
        history.steps.pop_back();
    }
    step.stateBefore = history.state;
    step.stateAfter = ++history.lastState;
    history.state = step.stateAfter;
    history.steps.push_back(std::move(step));
    ++history.done;
}

void ExchangeValues(StringEntry& entry, EntryRecord& record) {
    std::swap(entry.key, record.key);
    std::swap(entry.textLength, record.textLength);
    std::swap(entry.nameLength, record.nameLength);
    std::swap(entry.name, record.name);
    std::swap(entry.text, record.text);
}

// The ids, ascending, go into the ascending free list in one walk.
void MergeIntoFreeList(StringTable& table, const std::vector<EntryId>& ids) {
    EntryId* link = &table.freeHead;
    for (std::size_t i = 0; i < ids.size();) {
        if (*link == kNoEntryId || *link > ids[i]) {
            SlotOf(table, ids[i])->link = *link;
            *link = ids[i];
            ++i;
        }
        link = &SlotOf(table, *link)->link;
    }
}

// The ids, ascending and all free, come out of the free list in one walk.
void TakeFromFreeList(StringTable& table, const std::vector<EntryId>& ids) {
    EntryId* link = &table.freeHead;
    for (std::size_t i = 0; i < ids.size();) {
        if (*link == ids[i]) {
            *link = SlotOf(table, ids[i])->link;
            ++i;
        } else {
            link = &SlotOf(table, *link)->link;
        }
    }
}

// The records' entries leave the list in the given order, each noting the
// entry it followed, and give back their slots.
template <class Records>
void TakeOut(StringTable& table, Records& records, const std::vector<EntryId>& ids) {
    for (EntryRecord& record : records) {
        StringEntry& entry = *record.entry;
        record.prev = entry.prev;
        ExchangeValues(entry, record);
        Unlink(table, &entry);
    }
    MergeIntoFreeList(table, ids);
    table.count -= static_cast<std::uint32_t>(ids.size());
}

// The reverse of TakeOut, for the records in the reverse order.
template <class Records>
void PutBack(StringTable& table, Records& records, const std::vector<EntryId>& ids) {
    TakeFromFreeList(table, ids);
    for (EntryRecord& record : records) {
        StringEntry& entry = *record.entry;
        entry.link = kNoEntryId;
        ExchangeValues(entry, record);
        LinkAfter(table, record.prev, &entry);
    }
    table.count += static_cast<std::uint32_t>(ids.size());
}

// Gives the entry the record's values and moves it to the place the record
// names, keeping its own values and place in the record.
void Rewrite(StringTable& table, EntryRecord& record) {
    StringEntry& entry = *record.entry;
    StringEntry* const goesAfter = record.prev;
    ExchangeValues(entry, record);
    record.prev = entry.prev;
    Unlink(table, &entry);
    LinkAfter(table, goesAfter, &entry);
}

struct Reversed {
    std::vector<EntryRecord>& records;
    auto begin() { return records.rbegin(); }
    auto end() { return records.rend(); }
};

void Replay(StringTable& table, StringStep& step, bool undo) {
    switch (step.form) {
    case StepForm::Added:
        if (undo) {
            Reversed reversed{step.records};
            TakeOut(table, reversed, step.ids);
        } else {
            PutBack(table, step.records, step.ids);
        }
        break;
    case StepForm::Removed:
        if (undo) {
            Reversed reversed{step.records};
            PutBack(table, reversed, step.ids);
        } else {
            TakeOut(table, step.records, step.ids);
        }
        break;
    case StepForm::TextReplaced:
        std::swap(step.records[0].entry->text, step.records[0].text);
        std::swap(step.records[0].entry->textLength, step.records[0].textLength);
        break;
    case StepForm::Rewritten: Rewrite(table, step.records[0]); break;
    case StepForm::Swapped: SwapTableEntries(table, *step.other); break;
    }
}

StringRowChange RowsAfter(StepForm form, bool undo) {
    switch (form) {
    case StepForm::Added: return undo ? StringRowChange::Removed : StringRowChange::Added;
    case StepForm::Removed: return undo ? StringRowChange::Added : StringRowChange::Removed;
    case StepForm::Swapped: return StringRowChange::Replaced;
    case StepForm::TextReplaced:
    case StepForm::Rewritten: break;
    }
    return StringRowChange::Changed;
}

bool TakeStep(StringTable& table, bool undo, StringStepEffect* effect) {
    StringHistory* history = table.history;
    if (history == nullptr || (undo ? history->done == 0 : history->done == history->steps.size())) {
        return false;
    }
    StringStep& step = history->steps[undo ? history->done - 1 : history->done];
    Replay(table, step, undo);
    history->done = undo ? history->done - 1 : history->done + 1;
    history->state = undo ? step.stateBefore : step.stateAfter;
    if (effect != nullptr) {
        *effect =
            StringStepEffect{EditOf(step.form), RowsAfter(step.form, undo), step.entries.data(), step.entries.size()};
    }
    return true;
}

bool NextEdit(const StringTable& table, bool undo, StringEdit* edit) {
    const StringHistory* history = table.history;
    if (history == nullptr || (undo ? history->done == 0 : history->done == history->steps.size())) {
        return false;
    }
    if (edit != nullptr) {
        *edit = EditOf(history->steps[undo ? history->done - 1 : history->done].form);
    }
    return true;
}

// A step of one entry, with its record; false when out of memory.
bool OneEntryStep(StepForm form, StringEntry* entry, StringStep& step) {
    try {
        step.form = form;
        step.records.resize(1);
        step.entries.assign(1, entry);
        step.records[0].entry = entry;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// The entry that StringTableInsert would give the name's new text, or null
// when it would add an entry: the same walk, which stops at a greater key.
StringEntry* EntryInsertionReplaces(const StringTable& table, const char* name) {
    const std::uint32_t key = ComputeNameKey(name);
    for (StringEntry* entry = table.head; entry != nullptr && entry->key <= key; entry = entry->next) {
        if (entry->key == key && CompareNamesIgnoringCase(entry->name, name) == 0) {
            return entry;
        }
    }
    return nullptr;
}

// A copy of the text (null counts as empty) in the record; false when out
// of memory or too long for a record.
bool CopyTextInto(const TextUnit* text, EntryRecord& record) {
    static const TextUnit empty[1] = {0};
    text = text != nullptr ? text : empty;
    const std::size_t length = LengthOfText(text);
    if (!LengthFitsRecord(length)) {
        return false;
    }
    record.textLength = static_cast<std::uint32_t>(length);
    record.text = CopyText(text, record.textLength);
    return record.text != nullptr;
}

bool CopyNameInto(const char* name, EntryRecord& record) {
    const std::size_t length = std::char_traits<char>::length(name);
    if (!LengthFitsRecord(length)) {
        return false;
    }
    record.nameLength = static_cast<std::uint32_t>(length);
    record.key = ComputeNameKey(name);
    record.name = CopyName(name, record.nameLength);
    return record.name != nullptr;
}

// The slots of `entries` that are in the table's list, once each, ascending.
// A sorted list of the blocks finds each slot without a walk over them.
std::vector<EntryId> ListedSlots(const StringTable& table, StringEntry* const* entries, std::size_t count) {
    struct Block {
        std::uintptr_t address;
        EntryId index;
    };
    std::vector<Block> blocks;
    for (EntryId index = 0; index < table.blockCount; ++index) {
        blocks.push_back(Block{reinterpret_cast<std::uintptr_t>(table.blocks[index]), index});
    }
    std::sort(blocks.begin(), blocks.end(), [](const Block& a, const Block& b) { return a.address < b.address; });
    std::vector<EntryId> ids;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(entries[i]);
        auto after = std::upper_bound(blocks.begin(), blocks.end(), address,
                                      [](std::uintptr_t value, const Block& block) { return value < block.address; });
        if (entries[i] == nullptr || after == blocks.begin()) {
            continue;
        }
        const Block& block = *(after - 1);
        const std::uintptr_t offset = address - block.address;
        if (offset < sizeof(StringEntry) * kEntriesPerBlock && offset % sizeof(StringEntry) == 0 &&
            IsListed(table, entries[i])) {
            ids.push_back((block.index << kBlockShift) | static_cast<EntryId>(offset / sizeof(StringEntry)));
        }
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

}  // namespace

StringEntry* StringTableInsertStep(StringTable& table, const char* name, const TextUnit* text) {
    StringHistory* history = name != nullptr && name[0] != '\0' ? HistoryWithRoom(table) : nullptr;
    if (history == nullptr) {
        return nullptr;
    }
    StringStep step;
    StringEntry* existing = EntryInsertionReplaces(table, name);
    if (existing != nullptr) {
        if (!OneEntryStep(StepForm::TextReplaced, existing, step) || !CopyTextInto(text, step.records[0])) {
            return nullptr;
        }
        std::swap(existing->text, step.records[0].text);
        std::swap(existing->textLength, step.records[0].textLength);
        Keep(*history, std::move(step));
        return existing;
    }
    try {
        step.ids.reserve(1);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    StringEntry* entry = OneEntryStep(StepForm::Added, nullptr, step) ? StringTableInsert(table, name, text) : nullptr;
    if (entry == nullptr) {
        return nullptr;
    }
    step.records[0].entry = entry;
    step.entries[0] = entry;
    step.ids.push_back(IdOfSlot(table, entry));
    Keep(*history, std::move(step));
    return entry;
}

bool StringTableReplaceStep(StringTable& table, StringEntry* entry, const char* name, const TextUnit* text) {
    if (entry == nullptr || name == nullptr || name[0] == '\0' || IdOfSlot(table, entry) == kNoEntryId ||
        !IsListed(table, entry)) {
        return false;
    }
    StringHistory* history = HistoryWithRoom(table);
    StringStep step;
    if (history == nullptr || !OneEntryStep(StepForm::Rewritten, entry, step) || !CopyNameInto(name, step.records[0]) ||
        !CopyTextInto(text, step.records[0])) {
        return false;
    }
    // Where StringTableReplace puts it: by its new key, among the others.
    StringEntry* const prev = entry->prev;
    Unlink(table, entry);
    step.records[0].prev = PredecessorOf(table, step.records[0].key);
    LinkAfter(table, prev, entry);
    Rewrite(table, step.records[0]);
    Keep(*history, std::move(step));
    return true;
}

bool StringTableRemoveStep(StringTable& table, StringEntry* const* entries, std::size_t count) {
    StringHistory* history = HistoryWithRoom(table);
    if (history == nullptr) {
        return false;
    }
    StringStep step;
    try {
        step.form = StepForm::Removed;
        step.ids = ListedSlots(table, entries, count);
        step.records.resize(step.ids.size());
        step.entries.resize(step.ids.size());
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (step.ids.empty()) {
        return true;
    }
    for (std::size_t i = 0; i < step.ids.size(); ++i) {
        step.entries[i] = SlotOf(table, step.ids[i]);
        step.records[i].entry = step.entries[i];
    }
    TakeOut(table, step.records, step.ids);
    Keep(*history, std::move(step));
    return true;
}

// The entries swap places, so the step needs no copies and neither undo nor
// redo can fail: entry pointers of earlier steps point into the blocks the
// step keeps while it is done, and are back in the table when it is undone.
bool StringTableReplaceAllStep(StringTable& table, StringTablePtr replacement) {
    StringHistory* history = replacement != nullptr ? HistoryWithRoom(table) : nullptr;
    if (history == nullptr) {
        return false;
    }
    FreeStringHistory(replacement->history);
    replacement->history = nullptr;
    StringStep step;
    step.form = StepForm::Swapped;
    SwapTableEntries(table, *replacement);
    step.other = std::move(replacement);
    Keep(*history, std::move(step));
    return true;
}

bool StringTableNextUndo(const StringTable& table, StringEdit* edit) { return NextEdit(table, true, edit); }
bool StringTableNextRedo(const StringTable& table, StringEdit* edit) { return NextEdit(table, false, edit); }
bool StringTableUndo(StringTable& table, StringStepEffect* effect) { return TakeStep(table, true, effect); }
bool StringTableRedo(StringTable& table, StringStepEffect* effect) { return TakeStep(table, false, effect); }

void StringTableMarkSaved(StringTable& table) {
    if (table.history != nullptr) {
        table.history->saved = table.history->state;
    }
}

bool StringTableIsSaved(const StringTable& table) {
    return table.history == nullptr || table.history->state == table.history->saved;
}
