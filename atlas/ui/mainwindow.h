// The main window of PXAEditor: its creation, layout, message routing and
// message loop, and the tear-down of the application.
#pragma once

#include <windows.h>

struct EditorApp;

// Registers both window classes and creates all windows, hidden, with the
// list's column and the fonts; then stores the app in the main window and
// the renderer. Throws Exception "Unable to create main window".
void CreateWindows(EditorApp& app);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the main window and pumps messages, through the accelerator table,
// until WM_QUIT; then throws again any exception that left a command.
void RunMessageLoop(EditorApp& app);

// One message of the loop: an accelerator becomes its command, anything else
// is translated and dispatched.
void DispatchEditorMessage(EditorApp& app, HACCEL accelerators, MSG& message);

// Drops the document unsaved, destroys the windows and the image types.
// Doing it twice does nothing more.
void ReleaseApp(EditorApp& app);
