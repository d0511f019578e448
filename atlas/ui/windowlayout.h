// The main window's layout at the window's DPI: fonts, the children's places
// (mainlayout.h), the splitter between the list and the right-hand column,
// and the minimum window size.
#pragma once

#include <windows.h>

struct EditorApp;

// The message font at the window's DPI for every child, and the texts'
// sizes the layout needs. Called once the children exist and on a change of
// DPI.
void ApplyWindowFont(EditorApp& app);

// Places every child for the main window's client size: the status bar along
// the bottom, the rest above it; the list's only column fills the list.
void LayOutChildren(EditorApp& app);

// The list's only column takes the list's whole width, whether or not a
// scroll bar takes some of it; after every change of the list.
void FitListColumn(const EditorApp& app);

// WM_DPICHANGED: the window moves to the suggested rectangle and everything in
// it takes the new DPI; the splitter keeps its place relative to the text.
void OnDpiChanged(EditorApp& app, UINT dpi, const RECT& suggested);

// The splitter follows the mouse while its left button, pressed on the bar,
// is held. Each returns true when it handled the message.
bool OnSplitterButtonDown(EditorApp& app, POINT client);
bool OnSplitterMouseMove(EditorApp& app, POINT client);
void OnSplitterButtonUp(EditorApp& app);
// The cursor over the bar is the left-right arrow; true when it was set.
bool SetSplitterCursor(const EditorApp& app);

// Keeps a proposed window rectangle at least 650 x 300 at 96 DPI, scaled by
// `dpi`, holding still the edges that are not being dragged (`edge` is
// WM_SIZING's WMSZ_ value).
void EnforceMinimumSize(WPARAM edge, RECT& window, UINT dpi);
