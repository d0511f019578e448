// The list of strings. Every row stands for one entry of the open table: it
// shows the entry's name (ANSI) and its text (UTF-16), and while a reference
// table is open, in a third column, the reference's text of that name. The control
// is a virtual list view: it asks for what it shows (LVN_GETDISPINFO) and
// keeps only the number of rows, their selection and the focus, so that
// tables of a hundred thousand strings open, sort and go in moments.
#pragma once

#include <cstddef>
#include <vector>

#include "editorstate.h"

// The list-view control at 0, 0, 100 x 100 in `parent`, with its columns and
// compare callbacks; false when the control cannot be created.
bool CreateEntryList(EntryList& list, HWND parent, HINSTANCE instance);

// One row per entry of `table` (per untranslated entry while the list shows
// only those), in table order, then sorted by the current column and
// direction; false, with no rows, when memory runs out.
bool EntryListShowTable(EntryList& list, const StringTable& table);

// Inserts a row for `entry` at `row`; returns its index, or -1 when there is
// no memory for it. Other rows keep their selection and the focus.
int EntryListInsertRow(EntryList& list, int row, const StringEntry* entry);
// Points an existing row at `entry` and shows its name and text.
void EntryListSetRow(EntryList& list, int row, const StringEntry* entry);
// Deletes every selected row and returns their entries. The focus stays on
// its row, or passes from a deleted row to the next remaining one, else to
// the last. Throws std::bad_alloc, with nothing deleted, without memory.
std::vector<StringEntry*> EntryListDeleteSelectedRows(EntryList& list);
// The entries of the selected rows, in row order. Throws std::bad_alloc.
std::vector<StringEntry*> EntryListSelectedEntries(const EntryList& list);
// EntryListDeleteSelectedRows without the list of entries; it cannot fail.
void EntryListDropSelectedRows(EntryList& list);

// How the list follows an undo or a redo (stringhistory.h), each throwing
// std::bad_alloc with the rows as they were when memory runs out. The rows
// of the entries go; the other rows lose their selection, and the focus
// passes from a row that goes to the next remaining one.
void EntryListRemoveEntries(EntryList& list, StringEntry* const* entries, std::size_t count);
// Rows for the entries, in sorted order; they become the selection, the
// first of them focused and in view. The rows the last deletion took come
// back by a merge in the order they had, where that order still holds.
void EntryListAddEntries(EntryList& list, StringEntry* const* entries, std::size_t count);
// The entries' rows show their new names and texts where they stand, as
// after Edit String, and become the selection, the first of them focused
// and in view.
void EntryListRefreshEntries(EntryList& list, StringEntry* const* entries, std::size_t count);
void EntryListDeleteAllRows(EntryList& list);

StringEntry* EntryListRowEntry(const EntryList& list, int row);
// The row of `entry` other than `skippedRow`, or -1.
int EntryListFindRow(const EntryList& list, const StringEntry* entry, int skippedRow);
// The row with the focus, or -1.
int EntryListFocusedRow(const EntryList& list);

bool EntryListRowSelected(const EntryList& list, int row);
void EntryListSetRowSelected(EntryList& list, int row, bool selected);
void EntryListSelectAll(EntryList& list);
// Selects and focuses `row` and scrolls it fully into view; other rows keep
// their selection.
void EntryListSelectAndShow(EntryList& list, int row);
// Makes `row` the only selected row, focused and fully in view.
void EntryListSelectOnly(EntryList& list, int row);

// Sorts the rows by the current column and direction; each entry keeps its
// selection and the focus. False, with the rows as they were, when memory
// runs out.
bool EntryListSort(EntryList& list);
// A click on the header of `column`: the same column again flips the
// direction, another one sorts it ascending. False, with the rows and the
// order as they were, when memory runs out.
bool EntryListColumnClicked(EntryList& list, int column);
// Where a row for `entry` belongs under the current order: before the first
// row that sorts strictly after it, after the rows that compare equal.
int EntryListSortedPosition(const EntryList& list, const StringEntry& entry);

// Answers the control's LVN_GETDISPINFOW: the row's name or text.
void EntryListGetDisplayInfo(const EntryList& list, NMLVDISPINFOW& request);

void EntryListMove(EntryList& list, int x, int y, int width, int height);
// The Name column `width` pixels wide, the Text column as wide as the rest.
void EntryListSetNameColumnWidth(EntryList& list, int width);
// The Text column as wide as the list's client area leaves it beside the
// Name column (at least leastTextColumnWidth). Called whenever that space
// changes: the list moved, a scroll bar came or went, the Name column was
// resized.
void EntryListFitTextColumn(EntryList& list);

// Whether a translator still has to translate the entry: its text is empty,
// or the same as the reference's text of its name.
bool EntryIsUntranslated(const EntryList& list, const StringEntry& entry);

// Shows the Reference column (`width` pixels wide) with the texts of
// `reference`, which must stay while the column is shown; the Text column
// makes room. False when the column cannot be added.
bool EntryListShowReferenceColumn(EntryList& list, const NameIndex& reference, int width);
// Removes the Reference column and returns its last width (0 when it was
// not shown); a list sorted by it goes back to the Name column, ascending,
// for the caller to sort.
int EntryListHideReferenceColumn(EntryList& list);
int EntryListReferenceColumnWidth(const EntryList& list);
