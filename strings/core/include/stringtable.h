#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// The in-memory document of StringTableEditor: a doubly linked list of named
// UTF-16 texts. Entries live in never-moving slots of 64-slot blocks, so an
// entry pointer stays valid until that entry is removed. Every function
// reports failure by its result and none throws.

// One UTF-16 code unit. On Windows it is the wide type of the Win32 calls, so
// texts go to the wide controls as they are; wchar_t is 32 bits elsewhere.
#ifdef _WIN32
using TextUnit = wchar_t;
#else
using TextUnit = char16_t;
#endif
static_assert(sizeof(TextUnit) == 2, "texts are stored as 16-bit code units");

// A slot: block index in the upper 16 bits, slot within the block in the lower.
using EntryId = std::uint32_t;
constexpr EntryId kNoEntryId = 0xFFFFFFFFu;

constexpr std::uint16_t kEntriesPerBlock = 64;
// blockCount is 16 bits wide: 65535 blocks of 64 slots is the most a table holds.
constexpr std::uint16_t kMaxBlockCount = 0xFFFF;
constexpr std::size_t kReadBufferSize = 4096;

// The longest name (bytes) and text (code units) that the editor's dialog and
// dattool store; an entry read from a file may hold longer ones.
constexpr std::size_t kMostNameBytes = 254;
constexpr std::size_t kMostTextUnits = 10239;

// The first three fields are those of a record in the DAT file, in its order.
struct StringEntry {
    std::uint32_t key;         // ComputeNameKey of name
    std::uint32_t textLength;  // code units, terminator excluded
    std::uint32_t nameLength;  // bytes, terminator excluded
    char* name;                // NUL-terminated, owned
    TextUnit* text;            // NUL-terminated, owned; empty text is "", not null
    StringEntry* prev;
    StringEntry* next;
    EntryId link;  // next free slot while this slot is free
};

struct StringHistory;

struct StringTable {
    unsigned char readBuffer[kReadBufferSize];  // only for filling from a file
    std::uint32_t count;
    StringEntry* head;
    StringEntry* tail;
    EntryId freeHead;  // the free list is kept in ascending id order
    std::uint16_t entriesPerBlock;
    std::uint16_t blockCount;
    StringEntry** blocks;
    StringHistory* history;  // the steps of stringhistory.h; null until the first
};

// Destroys the table's contents, then frees the table object itself.
struct StringTableDeleter {
    void operator()(StringTable* table) const;
};
using StringTablePtr = std::unique_ptr<StringTable, StringTableDeleter>;

// Obtains the heap that tables live on (on Windows the process heap, or a
// private one when that cannot be had) once; the table functions call it on
// first use, so calling it at start-up only makes a failure show early.
bool ObtainTableHeap();

// An empty table with one block of free slots; null when out of memory.
StringTablePtr StringTableCreate();

// Whether an entry of that name exists, ASCII case ignored. Searches the whole
// list, so it also works on a list read from a file in any key order.
bool StringTableNameExists(const StringTable& table, const char* name);

// Gives `name` the `text` (null counts as empty). An existing entry of that
// name keeps its spelling, key and place and only gets the new text; a new one
// goes before the first entry with a greater key. Returns the entry, or null
// when the name is empty, memory runs out or the table is full; the table is
// unchanged then.
StringEntry* StringTableInsert(StringTable& table, const char* name, const TextUnit* text);

// Gives `entry` a new name (non-empty) and text (null counts as empty), as
// removing it and inserting it anew would: its key follows the name and it
// moves before the first entry with a greater key. It keeps its slot, and it
// never takes over another entry of the same name; the caller decides about
// duplicate names. Everything new is allocated before anything is freed: on
// false (an empty name, memory exhausted, an entry not in the table) the
// table is unchanged.
bool StringTableReplace(StringTable& table, StringEntry* entry, const char* name, const TextUnit* text);

// Unlinks `entry`, frees its name and text and gives its slot back. An entry
// that is not in the table's list (a free slot, or memory of another table)
// is left alone.
void StringTableRemove(StringTable& table, StringEntry* entry);

// The entry after `entry`, the head for null; null after the tail.
StringEntry* StringTableNext(const StringTable& table, const StringEntry* entry);

// For filling a table from a file: takes a slot, links it at the end and
// returns it with empty fields (no name, no text). The caller fills key,
// lengths, name and text and sets count. Null when memory runs out or the
// table is full.
StringEntry* StringTableAppend(StringTable& table);

// Frees every name, text, block, the block array and the history and sets
// count to 0; the table object itself stays for its owner to free.
void StringTableDestroy(StringTable& table);

// Storage from the table's heap for a text of `length` code units or a name of
// `length` bytes, each with room for its terminator; null when it cannot be had.
TextUnit* AllocateEntryText(std::uint32_t length);
char* AllocateEntryName(std::uint32_t length);

// Removes every entry of `entries` as StringTableRemove does, ending in the
// same table as removing them one by one, but in about linear time: the slots
// go back from the highest to the lowest, each then entering the ordered free
// list at its front. Entries that are not in the table, and repeats, are left
// alone.
void StringTableRemoveEntries(StringTable& table, StringEntry* const* entries, std::size_t count);
