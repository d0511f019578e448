// The two-column list of strings. Every row stands for one entry of the open
// table: its item data is the entry, its item text the name (ANSI) and its
// Text column the text, set through the wide message so that UTF-16 shows in
// the ANSI control.
#pragma once

#include "editorstate.h"

// The list-view control at 0, 0, 100 x 100 in `parent`, with its columns and
// compare callbacks; false when the control cannot be created.
bool CreateEntryList(EntryList& list, HWND parent, HINSTANCE instance);

// Inserts a row for `entry` at `row`; returns its index, or -1 when the
// control could not take it.
int EntryListInsertRow(EntryList& list, int row, const StringEntry* entry);
// Points an existing row at `entry` and shows its name and text.
void EntryListSetRow(EntryList& list, int row, const StringEntry* entry);
void EntryListDeleteRow(EntryList& list, int row);
void EntryListDeleteAllRows(EntryList& list);

StringEntry* EntryListRowEntry(const EntryList& list, int row);
// The row of `entry` other than `skippedRow`, or -1.
int EntryListFindRow(const EntryList& list, const StringEntry* entry, int skippedRow);
// The first row whose state has the focused bit, or -1.
int EntryListFocusedRow(const EntryList& list);

bool EntryListRowSelected(const EntryList& list, int row);
void EntryListSetRowSelected(EntryList& list, int row, bool selected);
// Selects and focuses `row` and scrolls it fully into view; other rows keep
// their selection.
void EntryListSelectAndShow(EntryList& list, int row);

// Sorts the rows by the current column and direction.
void EntryListSort(EntryList& list);
// A click on the header of `column`: the same column again flips the
// direction, another one sorts it ascending.
void EntryListColumnClicked(EntryList& list, int column);
// Where a row for `entry` belongs under the current order: before the first
// row that sorts strictly after it, after the rows that compare equal.
int EntryListSortedPosition(const EntryList& list, const StringEntry& entry);

void EntryListMove(EntryList& list, int x, int y, int width, int height);
