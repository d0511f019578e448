// The status bar: "Done" (the program's one message), then the number of
// strings and of selected strings while a document is open.
#pragma once

#include <windows.h>

// Creates the status bar of `parent` with its size grip; null on failure.
HWND CreateStatusBar(HWND parent);
// After the main window's size or DPI changed: the bar follows the window
// and its parts keep their widths at the window's DPI.
void LayOutStatusBar(WPARAM sizeType, LPARAM size);
// The counts changed. The update is posted rather than made at once, so that
// a command that selects or deletes a hundred thousand rows one by one
// updates the bar once.
void RequestStatusUpdate();
// Shows the counts now (the posted update, kStatusUpdateMessage).
void UpdateStatusBar();

constexpr UINT kStatusUpdateMessage = WM_APP + 1;
