// The main window of StringTableEditor: start-up, the window procedure with
// its layout, and shutting down.
#pragma once

#include <windows.h>

#include "modalui.h"

// Registers the window class, creates the main window with its list and
// status bar, greys the document commands, lays the window out and shows it
// with `showCommand`; `ui` answers its prompts and dialogs. On failure tells
// the user, cleans up and returns false.
bool StartEditor(HINSTANCE instance, int showCommand, const ModalUi& ui);

// Gets, translates and dispatches messages until the quit message, with the
// accelerators of Find (Ctrl+F) and Find Next (F3).
void RunMessageLoop();

// Destroys the window if it still exists, discards the document and
// unregisters the window class, so that the editor can start again.
void ShutdownEditor();

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Places the list above the status bar, as on a resize.
void LayOutMainWindow();
