// The "Find" dialog: a piece of text and where to look for it.
#pragma once

#include <windows.h>

// Shows dialog 104 modally over `owner`, filled with the last search. Returns
// true for Find, with the typed piece in the editor's find text and the chosen
// scope in its find scope; an empty piece counts as Cancel, and Cancel keeps
// the last search.
bool FindDialog(HWND owner);
