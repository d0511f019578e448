// The list of entry names: reading and changing its items.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "redrawpaused.h"

// The item's text (at most 259 characters, as the list gives it).
std::string ListItemText(HWND list, int item);

// Adds an item; the list sorts it into place. Returns its index, or -1.
int InsertListItem(HWND list, const std::string& text);

// Adds many items, each sorted into place by the list, without repainting
// in between. Returns the index of the last name of `names`, which goes in
// last, or -1 when there is none.
int InsertListItems(HWND list, const std::vector<std::string>& names);

// The next item after `after` (-1: from the start) whose state has `flags`
// (LVNI_SELECTED, ...), or -1.
int NextListItem(HWND list, int after, UINT flags);

// Empties the list and fills it with the names.
void FillList(HWND list, const std::vector<std::string>& names);

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
