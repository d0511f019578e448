// The Edit menu: inserting, editing, deleting and selecting strings. Rows and
// entries stay one to one: no row ever points at a removed entry.
#pragma once

void InsertStringCommand();
void EditStringCommand();
void DeleteStringCommand();
void SelectAllCommand();
void InvertSelectionCommand();
