// The Edit menu: the menu bar's second popup, also the list's context menu.
#pragma once

#include <windows.h>

struct EditorApp;

HMENU EditMenu(const EditorApp& app);

// Extract File(s), Rename File and Delete File(s), always together.
void EnableEntryCommands(const EditorApp& app, bool enabled);
