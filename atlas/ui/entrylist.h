// The list of entry names: reading and changing its items.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The item's text (at most 259 characters, as the list gives it).
std::string ListItemText(HWND list, int item);

// Adds an item; the list sorts it into place. Returns its index, or -1.
int InsertListItem(HWND list, const std::string& text);

// The next item after `after` (-1: from the start) whose state has `flags`
// (LVNI_SELECTED, ...), or -1.
int NextListItem(HWND list, int after, UINT flags);

// Empties the list and fills it with the names, in the given order.
void FillList(HWND list, const std::vector<std::string>& names);
