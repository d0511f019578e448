// The Edit menu: the menu bar's second popup, also the list's context menu.
#pragma once

#include <windows.h>

struct EditorApp;

HMENU EditMenu(const EditorApp& app);

// Extract File(s) and Delete File(s) are enabled while any entry is selected,
// Rename File while exactly one is; greyed otherwise.
void UpdateEntryCommands(const EditorApp& app);

// Undo and Redo name the step they would take ("Undo Delete") and are greyed
// without one.
void UpdateHistoryCommands(const EditorApp& app);
