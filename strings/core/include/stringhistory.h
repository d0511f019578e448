// The history of a string table: the editor's changes as steps that undo
// takes back and redo makes again, exactly: names, texts, keys, slots and
// the order of the list, so that a save writes the same bytes as it would
// have in that state. The table owns its history (StringTableDestroy frees
// it); a table read or created anew has none. Every step is kept while the
// table lives. Steps name entries by their slots: once a table has steps,
// it changes only through these functions. Like the table's, they report by
// their results and never throw.
#pragma once

#include <cstddef>

#include "stringtable.h"

// The kinds of step, for the Edit menu to name ("Undo Delete").
enum class StringEdit { Insert, Edit, Delete, Import };

// How a list of the entries follows an undo or a redo.
enum class StringRowChange {
    Added,     // the entries are in the table again
    Removed,   // the entries left the table; the pointers only name their rows
    Changed,   // the entries have another text, or name and text, and may stand elsewhere in the table's order
    Replaced,  // every entry may have changed: a list shows the table anew (no entries are named)
};

struct StringStepEffect {
    StringEdit edit;
    StringRowChange rows;
    StringEntry* const* entries;  // valid until the history changes again
    std::size_t count;
};

// StringTableInsert, StringTableReplace and StringTableRemoveEntries, each as
// one step of the history, with the same results; a step drops the steps
// undone before it. When memory for the step cannot be had nothing changes
// (null or false). Removing no entry of the table is no step.
StringEntry* StringTableInsertStep(StringTable& table, const char* name, const TextUnit* text);
bool StringTableReplaceStep(StringTable& table, StringEntry* entry, const char* name, const TextUnit* text);
bool StringTableRemoveStep(StringTable& table, StringEntry* const* entries, std::size_t count);

// Gives the table the entries of `replacement` (a table without steps, made
// anew: an import), in its order, as one step; undo brings back every entry
// as it was. `replacement` is taken in either case and its entries then
// belong to the table's history. False, with the table unchanged, when
// memory for the step cannot be had.
bool StringTableReplaceAllStep(StringTable& table, StringTablePtr replacement);

// The kind of step that undo or redo would take next; false when there is none.
bool StringTableNextUndo(const StringTable& table, StringEdit* edit);
bool StringTableNextRedo(const StringTable& table, StringEdit* edit);

// Takes the last step back, or makes the last undone step again. Neither
// allocates, so neither can fail halfway; false when there is no step.
// `effect`, when not null, tells which entries changed and how.
bool StringTableUndo(StringTable& table, StringStepEffect* effect);
bool StringTableRedo(StringTable& table, StringStepEffect* effect);

// Marks the table's present state as the one its file holds; the table is
// saved while undo and redo bring it back to that state. A table without
// steps counts as saved.
void StringTableMarkSaved(StringTable& table);
bool StringTableIsSaved(const StringTable& table);
