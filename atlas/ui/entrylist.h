// The list of entry names: reading and changing its items.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "redrawpaused.h"

// The item's text.
std::string ListItemText(HWND list, int item);

// Adds an item; the list sorts it into place. Returns its index, or -1.
int InsertListItem(HWND list, const std::string& text);

// Adds many items, each sorted into place by the list, without repainting
// in between. Returns the index of the last name of `names`, which goes in
// last, or -1 when there is none.
int InsertListItems(HWND list, const std::vector<std::string>& names);

// InsertListItems for a list that may hold many items already. The list
// looks for a new item's place by comparing it with the items it holds (Wine's
// with every item before that place), so many names added to a long list cost
// their number times its length. From a few dozen names on, the list is
// emptied and filled again with its names and the new ones, which lets each
// find its place at once (see InsertListItems); the items keep their
// selection, the selection mark stays on its item and the top item's index
// stays, as when the names are inserted one by one; the focus goes, for the
// caller to give to an item. Where two names sort equal (letter case beyond
// ASCII), their order depends on which came first, so they go in one by one.
int AddListItems(HWND list, const std::vector<std::string>& names);

// The next item after `after` (-1: from the start) whose state has `flags`
// (LVNI_SELECTED, ...), or -1.
int NextListItem(HWND list, int after, UINT flags);

// Empties the list and fills it with the names.
void FillList(HWND list, const std::vector<std::string>& names);

// LVM_SETITEMSTATE on one item, or on every item for -1.
void SetListItemsState(HWND list, int item, UINT state, UINT mask);
// Deletes the items whose text is one of `names`, from the last up, reading
// each item's text once; as many names as items empty the list at once.
void RemoveListItems(HWND list, const std::set<std::string>& names);
// Makes the items whose text is one of `names` the selection. Returns the
// index of the last of them, or -1.
int SelectListItems(HWND list, const std::set<std::string>& names);

// For changes to many items at once where the list's focused item moves:
// redraw is paused and the list hidden until the end, when it shows again
// with the keyboard focus it had.
class ListHiddenForBulkChange {
public:
    explicit ListHiddenForBulkChange(HWND list);
    ~ListHiddenForBulkChange();
    ListHiddenForBulkChange(const ListHiddenForBulkChange&) = delete;
    ListHiddenForBulkChange& operator=(const ListHiddenForBulkChange&) = delete;

private:
    RedrawPaused paused_;
    HWND list_;
    bool hadFocus_;
};
