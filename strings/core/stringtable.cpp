#include "stringtable.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <utility>

#include "heap.h"
#include "namekey.h"
#include "tableslots.h"

namespace {

const TextUnit kEmptyText[1] = {0};

// A fresh block with its slots chained in ascending order, the last to none.
StringEntry* AllocateBlock(EntryId blockIndex) {
    void* memory = TableHeapAllocate(sizeof(StringEntry) * kEntriesPerBlock);
    if (memory == nullptr) {
        return nullptr;
    }
    StringEntry* block = static_cast<StringEntry*>(memory);
    for (EntryId slot = 0; slot < kEntriesPerBlock; ++slot) {
        StringEntry* entry = new (&block[slot]) StringEntry();
        entry->link = slot + 1 < kEntriesPerBlock ? (blockIndex << kBlockShift) | (slot + 1) : kNoEntryId;
    }
    return block;
}

StringEntry* ClearSlot(StringEntry* slot) {
    *slot = StringEntry();
    slot->link = kNoEntryId;
    return slot;
}

// The lowest free slot, or a new block's slot 0 when none is free.
StringEntry* TakeSlot(StringTable& table) {
    if (table.freeHead != kNoEntryId) {
        StringEntry* slot = SlotOf(table, table.freeHead);
        table.freeHead = slot->link;
        return ClearSlot(slot);
    }
    if (table.blockCount == kMaxBlockCount) {
        return nullptr;
    }
    const EntryId blockIndex = table.blockCount;
    void* grown = TableHeapReallocate(table.blocks, sizeof(StringEntry*) * (blockIndex + 1));
    if (grown == nullptr) {
        return nullptr;
    }
    table.blocks = static_cast<StringEntry**>(grown);
    StringEntry* block = AllocateBlock(blockIndex);
    if (block == nullptr) {
        return nullptr;  // the array keeps its spare pointer; blockCount is unchanged
    }
    table.blocks[blockIndex] = block;
    table.blockCount = static_cast<std::uint16_t>(blockIndex + 1);
    table.freeHead = (blockIndex << kBlockShift) | 1u;
    return ClearSlot(&block[0]);
}

}  // namespace

EntryId IdOfSlot(const StringTable& table, const StringEntry* entry) {
    const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(entry);
    for (EntryId blockIndex = 0; blockIndex < table.blockCount; ++blockIndex) {
        const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(table.blocks[blockIndex]);
        if (address >= first && address < first + sizeof(StringEntry) * kEntriesPerBlock) {
            return (blockIndex << kBlockShift) | static_cast<EntryId>((address - first) / sizeof(StringEntry));
        }
    }
    return kNoEntryId;
}

// Keeps the free list ascending, so the lowest free slot is always taken next.
void GiveSlotBack(StringTable& table, StringEntry* slot, EntryId id) {
    if (table.freeHead == kNoEntryId || table.freeHead > id) {
        slot->link = table.freeHead;
        table.freeHead = id;
        return;
    }
    StringEntry* before = SlotOf(table, table.freeHead);
    while (before->link != kNoEntryId && before->link <= id) {
        before = SlotOf(table, before->link);
    }
    slot->link = before->link;
    before->link = id;
}

void LinkAfter(StringTable& table, StringEntry* predecessor, StringEntry* entry) {
    entry->prev = predecessor;
    entry->next = predecessor != nullptr ? predecessor->next : table.head;
    if (entry->next != nullptr) {
        entry->next->prev = entry;
    } else {
        table.tail = entry;
    }
    if (predecessor != nullptr) {
        predecessor->next = entry;
    } else {
        table.head = entry;
    }
}

void Unlink(StringTable& table, StringEntry* entry) {
    if (entry->prev != nullptr) {
        entry->prev->next = entry->next;
    } else {
        table.head = entry->next;
    }
    if (entry->next != nullptr) {
        entry->next->prev = entry->prev;
    } else {
        table.tail = entry->prev;
    }
    entry->prev = nullptr;
    entry->next = nullptr;
}

namespace {

void FreeNameAndText(StringEntry* entry) {
    TableHeapFree(entry->name);
    TableHeapFree(entry->text);
    entry->name = nullptr;
    entry->text = nullptr;
}

bool FitsInSize(std::uint64_t bytes) { return bytes <= std::numeric_limits<std::size_t>::max(); }

}  // namespace

std::size_t LengthOfText(const TextUnit* text) {
    std::size_t length = 0;
    while (text[length] != 0) {
        ++length;
    }
    return length;
}

TextUnit* CopyText(const TextUnit* text, std::uint32_t length) {
    TextUnit* copy = AllocateEntryText(length);
    if (copy != nullptr) {
        std::memcpy(copy, text, sizeof(TextUnit) * length);
        copy[length] = 0;
    }
    return copy;
}

char* CopyName(const char* name, std::uint32_t length) {
    char* copy = AllocateEntryName(length);
    if (copy != nullptr) {
        std::memcpy(copy, name, length);
        copy[length] = '\0';
    }
    return copy;
}

bool LengthFitsRecord(std::size_t length) { return length <= std::numeric_limits<std::uint32_t>::max(); }

// A free slot is linked to nothing, and the head has no predecessor: one look
// tells whether an entry of this table's blocks is in its list.
bool IsListed(const StringTable& table, const StringEntry* entry) {
    return entry->prev != nullptr ? entry->prev->next == entry : table.head == entry;
}

// The entry that a new entry of `key` goes after: the last one before the
// first entry with a greater key, or null for the head.
StringEntry* PredecessorOf(const StringTable& table, std::uint32_t key) {
    StringEntry* predecessor = nullptr;
    for (StringEntry* entry = table.head; entry != nullptr && entry->key <= key; entry = entry->next) {
        predecessor = entry;
    }
    return predecessor;
}

namespace {

// A new name and text as an entry holds them.
struct EntryValues {
    std::uint32_t nameLength = 0;
    std::uint32_t textLength = 0;
    char* name = nullptr;
    TextUnit* text = nullptr;
};

// Takes the lengths of a name and a text (null: empty); false for an empty
// name or a length that no record can hold.
bool Measure(const char* name, const TextUnit*& text, EntryValues& values) {
    if (name == nullptr || name[0] == '\0') {
        return false;
    }
    if (text == nullptr) {
        text = kEmptyText;
    }
    const std::size_t nameLength = std::strlen(name);
    const std::size_t textLength = LengthOfText(text);
    if (!LengthFitsRecord(nameLength) || !LengthFitsRecord(textLength)) {
        return false;
    }
    values.nameLength = static_cast<std::uint32_t>(nameLength);
    values.textLength = static_cast<std::uint32_t>(textLength);
    return true;
}

// Copies both the measured name and text, or neither.
bool CopyValues(const char* name, const TextUnit* text, EntryValues& values) {
    values.name = CopyName(name, values.nameLength);
    values.text = CopyText(text, values.textLength);
    if (values.name != nullptr && values.text != nullptr) {
        return true;
    }
    TableHeapFree(values.name);
    TableHeapFree(values.text);
    values.name = nullptr;
    values.text = nullptr;
    return false;
}

void Store(StringEntry& entry, std::uint32_t key, const EntryValues& values) {
    entry.key = key;
    entry.textLength = values.textLength;
    entry.nameLength = values.nameLength;
    entry.name = values.name;
    entry.text = values.text;
}

}  // namespace

TextUnit* AllocateEntryText(std::uint32_t length) {
    const std::uint64_t bytes = (static_cast<std::uint64_t>(length) + 1) * sizeof(TextUnit);
    return FitsInSize(bytes) ? static_cast<TextUnit*>(TableHeapAllocate(static_cast<std::size_t>(bytes))) : nullptr;
}

char* AllocateEntryName(std::uint32_t length) {
    const std::uint64_t bytes = static_cast<std::uint64_t>(length) + 1;
    return FitsInSize(bytes) ? static_cast<char*>(TableHeapAllocate(static_cast<std::size_t>(bytes))) : nullptr;
}

void SwapTableEntries(StringTable& first, StringTable& second) {
    std::swap(first.count, second.count);
    std::swap(first.head, second.head);
    std::swap(first.tail, second.tail);
    std::swap(first.freeHead, second.freeHead);
    std::swap(first.entriesPerBlock, second.entriesPerBlock);
    std::swap(first.blockCount, second.blockCount);
    std::swap(first.blocks, second.blocks);
}

void StringTableDeleter::operator()(StringTable* table) const {
    if (table != nullptr) {
        StringTableDestroy(*table);
        TableHeapFree(table);
    }
}

StringTablePtr StringTableCreate() {
    void* memory = TableHeapAllocate(sizeof(StringTable));
    if (memory == nullptr) {
        return nullptr;
    }
    StringTable* table = new (memory) StringTable;
    table->count = 0;
    table->head = nullptr;
    table->tail = nullptr;
    table->freeHead = kNoEntryId;
    table->entriesPerBlock = kEntriesPerBlock;
    table->blockCount = 0;
    table->blocks = nullptr;
    table->history = nullptr;
    StringTablePtr owner(table);

    table->blocks = static_cast<StringEntry**>(TableHeapAllocate(sizeof(StringEntry*)));
    StringEntry* block = table->blocks != nullptr ? AllocateBlock(0) : nullptr;
    if (block == nullptr) {
        return nullptr;
    }
    table->blocks[0] = block;
    table->blockCount = 1;
    table->freeHead = 0;
    return owner;
}

bool StringTableNameExists(const StringTable& table, const char* name) {
    if (name == nullptr) {
        return false;
    }
    const std::uint32_t key = ComputeNameKey(name);
    for (const StringEntry* entry = table.head; entry != nullptr; entry = entry->next) {
        if (entry->key == key && CompareNamesIgnoringCase(entry->name, name) == 0) {
            return true;
        }
    }
    return false;
}

StringEntry* StringTableInsert(StringTable& table, const char* name, const TextUnit* text) {
    EntryValues values;
    if (!Measure(name, text, values)) {
        return nullptr;
    }

    const std::uint32_t key = ComputeNameKey(name);
    StringEntry* predecessor = nullptr;
    for (StringEntry* entry = table.head; entry != nullptr; entry = entry->next) {
        if (entry->key == key && CompareNamesIgnoringCase(entry->name, name) == 0) {
            // The old text goes only once the new one is safely copied.
            TextUnit* copy = CopyText(text, values.textLength);
            if (copy == nullptr) {
                return nullptr;
            }
            TableHeapFree(entry->text);
            entry->text = copy;
            entry->textLength = values.textLength;
            return entry;
        }
        if (entry->key > key) {
            break;
        }
        predecessor = entry;
    }

    StringEntry* entry = CopyValues(name, text, values) ? TakeSlot(table) : nullptr;
    if (entry == nullptr) {
        TableHeapFree(values.name);
        TableHeapFree(values.text);
        return nullptr;
    }
    Store(*entry, key, values);
    LinkAfter(table, predecessor, entry);
    ++table.count;
    return entry;
}

bool StringTableReplace(StringTable& table, StringEntry* entry, const char* name, const TextUnit* text) {
    EntryValues values;
    if (entry == nullptr || IdOfSlot(table, entry) == kNoEntryId || !IsListed(table, entry) ||
        !Measure(name, text, values) || !CopyValues(name, text, values)) {
        return false;
    }
    FreeNameAndText(entry);
    Store(*entry, ComputeNameKey(name), values);
    Unlink(table, entry);
    LinkAfter(table, PredecessorOf(table, entry->key), entry);
    return true;
}

void StringTableRemove(StringTable& table, StringEntry* entry) {
    const EntryId id = entry != nullptr ? IdOfSlot(table, entry) : kNoEntryId;
    if (id == kNoEntryId || !IsListed(table, entry)) {
        return;
    }
    FreeNameAndText(entry);
    Unlink(table, entry);
    GiveSlotBack(table, entry, id);
    --table.count;
}

StringEntry* StringTableNext(const StringTable& table, const StringEntry* entry) {
    return entry != nullptr ? entry->next : table.head;
}

StringEntry* StringTableAppend(StringTable& table) {
    StringEntry* entry = TakeSlot(table);
    if (entry != nullptr) {
        LinkAfter(table, table.tail, entry);
    }
    return entry;
}

void StringTableDestroy(StringTable& table) {
    for (StringEntry* entry = table.head; entry != nullptr; entry = entry->next) {
        FreeNameAndText(entry);
    }
    table.count = 0;
    table.head = nullptr;
    table.tail = nullptr;
    for (std::uint16_t blockIndex = 0; blockIndex < table.blockCount; ++blockIndex) {
        TableHeapFree(table.blocks[blockIndex]);
    }
    TableHeapFree(table.blocks);
    table.blocks = nullptr;
    table.blockCount = 0;
    table.freeHead = kNoEntryId;
    FreeStringHistory(table.history);
    table.history = nullptr;
}

void StringTableRemoveEntries(StringTable& table, StringEntry* const* entries, std::size_t count) {
    struct Removal {
        EntryId id;
        StringEntry* entry;
    };
    const bool fits = count <= std::numeric_limits<std::size_t>::max() / sizeof(Removal);
    Removal* removals = fits ? static_cast<Removal*>(TableHeapAllocate(sizeof(Removal) * count)) : nullptr;
    if (removals == nullptr) {
        for (std::size_t i = 0; i < count; ++i) {  // slower, but the same table
            StringTableRemove(table, entries[i]);
        }
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        removals[i] = {entries[i] != nullptr ? IdOfSlot(table, entries[i]) : kNoEntryId, entries[i]};
    }
    std::sort(removals, removals + count, [](const Removal& a, const Removal& b) { return a.id > b.id; });
    for (std::size_t i = 0; i < count; ++i) {
        if (removals[i].id != kNoEntryId && (i == 0 || removals[i].id != removals[i - 1].id)) {
            StringTableRemove(table, removals[i].entry);
        }
    }
    TableHeapFree(removals);
}
