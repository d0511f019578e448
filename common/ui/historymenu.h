// The Undo and Redo items of an Edit menu: their text names the step they
// would take ("&Undo Delete\tCtrl+Z"), and they are greyed without one.
#pragma once

#include <windows.h>

// Sets the item of `command` to "&Undo" or "&Redo" (`verb`), then " " and
// `action` unless it is null, then a tab and `keys`; enabled exactly when
// `action` is not null. True when the item's state changed (the menu bar
// needs drawing again).
bool SetHistoryMenuItem(HMENU menu, UINT command, const char* verb, const char* action, const char* keys);
