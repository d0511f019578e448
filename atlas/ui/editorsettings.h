// What PXAEditor remembers for the user between runs, under
// HKEY_CURRENT_USER\Software\PXAEditor: the window's place, the splitter's,
// the folder each file dialog was last used in, and the recent documents on
// the File menu. Nothing is needed to start: a missing or damaged value is
// ignored. An EditorApp whose store has no key (the tests') remembers nothing.
#pragma once

#include <string>

struct EditorApp;

// The key PXAEditor's settings live under, below HKEY_CURRENT_USER.
extern const char editorSettingsKey[];

// The file dialogs whose folders are remembered.
enum class DialogFolder { Index, Insert, Extract };

// Before the window is shown: the splitter's place and the recent documents.
void LoadEditorSettings(EditorApp& app);
// Shows the main window where it was when the program last ended; only the
// first call does anything.
void ShowMainWindow(EditorApp& app);
// When the window goes: its place and the splitter's.
void SaveWindowSettings(const EditorApp& app);

// The folder a dialog was last used in; empty when none is known.
std::string RememberedFolder(const EditorApp& app, DialogFolder dialog);
// Remembers the folder of `path` (a file) or `path` itself (a folder).
void RememberFolderOf(const EditorApp& app, DialogFolder dialog, const std::string& path);
void RememberFolder(const EditorApp& app, DialogFolder dialog, const std::string& folder);

// The pair becomes the most recent document of the File menu.
void AddRecentDocument(EditorApp& app, const std::string& indexPath, const std::string& imagePath);
void RemoveRecentDocument(EditorApp& app, const std::string& indexPath);
// The recent document that a command of the File menu stands for: the
// prompt for unsaved changes, then the pair as it was last used, or, when
// that image has gone, the index with the image beside it (OpenIndex). False
// when `command` is none of them.
bool OpenRecentDocumentCommand(EditorApp& app, unsigned command);
