// The main window of StringTableEditor: start-up, the window procedure with
// its layout, and shutting down.
#pragma once

#include <windows.h>

#include "modalui.h"
#include "settingsstore.h"

// Registers the window class, creates the main window with its list and
// status bar at its DPI, greys the document commands, lays the window out
// and shows it with `showCommand` where `settings` say it was last left;
// `ui` answers its prompts and dialogs. On failure tells the user, cleans up
// and returns false.
bool StartEditor(HINSTANCE instance, int showCommand, const ModalUi& ui, const SettingsStore& settings);

// Gets, translates and dispatches messages until the quit message, with the
// editor's accelerators.
void RunMessageLoop();
// The editor's accelerators (Ctrl+N, Delete, F3, ...) for one message of the
// loop: true when `message` was a key of one and has been carried out.
bool TranslateEditorKeys(MSG& message);

// Remembers the window's place, column width and sort order, destroys the
// window if it still exists, discards the document and unregisters the
// window class, so that the editor can start again.
void ShutdownEditor();

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Places the list above the status bar, as on a resize.
void LayOutMainWindow();
