// What StringTableEditor remembers for its user between runs, under
// HKEY_CURRENT_USER\Software\StringTableEditor: the window's place, the width
// of the Name and Reference columns, the sort order, the folder each file dialog was last
// left in and the recent files. Nothing is needed to start: a missing or
// damaged value leaves the default.
#pragma once

#include <string>

constexpr char kSettingsKey[] = "Software\\StringTableEditor";

// The sort order, the folders and the recent files (shown on the File menu)
// from the editor's settings store, once its window and list exist.
void LoadEditorSettings();
// The Name column's width in pixels at 96 DPI as remembered, else the default.
int RememberedNameColumnWidth();
// Shows the main window (created hidden) where it was last left.
void ShowMainWindowAsSaved(int showCommand);
// The window's place, the Name column's width and the sort order, while the
// window still exists.
void SaveWindowSettings();

// The document at `path` was opened or saved: it becomes the most recent
// file. Remembering is a convenience, so running out of memory for it leaves
// the list as it was rather than failing the command that succeeded.
void RememberRecentFile(const char* path);
void ForgetRecentFile(const char* path);
// The folder of `path`, chosen in the open or the save dialog, is where that
// dialog starts next time.
void RememberOpenFolder(const char* path);
void RememberSaveFolder(const char* path);
void RememberImportFolder(const char* path);
void RememberExportFolder(const char* path);

// The Reference column's width in pixels at 96 DPI as remembered, else the
// default; and remembering it when the column closes or the window does.
int RememberedReferenceColumnWidth();
void RememberReferenceColumnWidth(int pixels);
