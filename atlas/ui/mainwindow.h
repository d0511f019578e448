// The main window of PXAEditor.
#pragma once

#include <windows.h>

// Registers the window class (once per process) and creates the main window,
// hidden. Returns null when either step fails.
HWND CreateMainWindow(HINSTANCE instance);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
