// The "Edit String" dialog: a name and a text, checked against the open
// table for duplicate names.
#pragma once

#include <windows.h>

#include "stringtable.h"

// Shows dialog 102 modally over `owner`, filled with the old name and text
// (both null when inserting). Returns true for OK, with at most 254 name bytes
// in the editor's name buffer and at most 10239 text units in its text buffer.
// An empty name counts as Cancel; a name that another entry already has keeps
// the dialog open behind an error message.
bool EditStringDialog(HWND owner, const char* oldName, const TextUnit* oldText);
