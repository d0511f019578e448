// The "Edit String" dialog: a name and a text, checked against the open
// table for duplicate names.
#pragma once

#include <windows.h>

#include "stringtable.h"

// Shows dialog 102 modally over `owner`, filled with the old name and text
// (both null when inserting). Returns true for OK, with the fields' whole
// values in the editor's name and text buffers. An empty name counts as
// Cancel. A name of more than 254 bytes or a text of more than 10239 units
// (or more than the old value's own length, when that is longer) and a name
// that another entry already has keep the dialog open behind an error
// message: nothing is cut.
bool EditStringDialog(HWND owner, const char* oldName, const TextUnit* oldText);
