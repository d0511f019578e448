// The list and slot operations of a string table that its history shares
// (stringtable.cpp). None allocates except the copies.
#pragma once

#include <cstddef>
#include <cstdint>

#include "stringtable.h"

constexpr EntryId kSlotMask = 0xFFFFu;
constexpr unsigned kBlockShift = 16;

inline StringEntry* SlotOf(const StringTable& table, EntryId id) {
    return &table.blocks[id >> kBlockShift][id & kSlotMask];
}

// The slot's id, found by the block whose slots hold its address; none for
// memory outside the table's blocks.
EntryId IdOfSlot(const StringTable& table, const StringEntry* entry);
// Puts a slot, taken out of the list, back into the ascending free list.
void GiveSlotBack(StringTable& table, StringEntry* slot, EntryId id);

// Links `entry` after `predecessor`, or at the head for null.
void LinkAfter(StringTable& table, StringEntry* predecessor, StringEntry* entry);
void Unlink(StringTable& table, StringEntry* entry);
// Whether an entry of the table's blocks is in its list.
bool IsListed(const StringTable& table, const StringEntry* entry);
// The entry that a new entry of `key` goes after, or null for the head.
StringEntry* PredecessorOf(const StringTable& table, std::uint32_t key);

std::size_t LengthOfText(const TextUnit* text);
bool LengthFitsRecord(std::size_t length);
// Copies with their terminators, from the table's heap; null when out of memory.
TextUnit* CopyText(const TextUnit* text, std::uint32_t length);
char* CopyName(const char* name, std::uint32_t length);

// Exchanges the entries of two tables: their lists, slots and blocks. Each
// keeps its own history. Allocates nothing.
void SwapTableEntries(StringTable& first, StringTable& second);

// Frees a table's history (stringhistory.cpp); null is ignored.
void FreeStringHistory(StringHistory* history);
