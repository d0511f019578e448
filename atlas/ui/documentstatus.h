// What the main window shows about the document besides the list and the
// preview: the modified mark in the title, the state of the entry commands
// and the status bar.
#pragma once

#include <windows.h>

#include <string>

struct EditorApp;

// What the title ends in while the document is modified.
extern const char modifiedMark[];

// The text of a window, whatever its length.
std::string TextOfWindow(HWND window);

// The status bar along the bottom of the main window, with its parts.
// Throws Exception "Unable to create main window".
void CreateStatusBar(EditorApp& app);
// The parts' widths at the window's DPI.
void SetStatusBarParts(const EditorApp& app);

// After every command: the title's mark, the entry commands, Undo and Redo and every part of
// the status bar follow the document and the selection.
void RefreshDocumentStatus(EditorApp& app);

// After a change of the list's selection: the entry commands at once, the
// status bar's count of selected entries once the changes of one command are
// over (a posted message, so that selecting 50,000 items updates it once).
void OnSelectionChanged(EditorApp& app);
// The posted message's handler.
void RefreshSelectionStatus(EditorApp& app);

// The message that OnSelectionChanged posts to the main window.
constexpr UINT selectionStatusMessage = WM_APP + 1;

// The texts of the status bar's parts: entries, selected, atlas size, used.
std::string StatusText(const EditorApp& app, int part);
