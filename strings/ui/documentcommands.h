// The File menu: the one open document, its path, whether it has changed
// since it was saved, and the window title.
#pragma once

#include <string>
#include <vector>

// With null, the program's name alone; otherwise "<program> - [name]", and
// " *" after it while the document is modified.
void SetDocumentTitle(const char* documentName);
// Enables or greys the commands that need an open document.
void EnableDocumentCommands(bool documentOpen);
// Fills the list anew with the open table's rows; false, with no rows, when
// memory runs out.
bool ShowTableInList();
// Discards the open document without asking: no rows, no table, no path.
void CloseDocument();

// The open document changed (a string inserted, edited or deleted).
void MarkDocumentChanged();
bool DocumentModified();
// Before the open document is discarded: while it is modified, asks "Save
// changes to NAME?". True when the caller may go on (saved, or No, or
// nothing to save); false on Cancel and when the save failed or was
// cancelled, so that the document stays open.
bool ConfirmDiscard();

void NewCommand();
void OpenCommand();
// Opens the first of `paths` as Open opens a chosen file, after asking about
// unsaved changes; the others are ignored, since the editor holds one table.
// Nothing happens without a path. For the command line and for files
// dropped on the window.
void OpenFirstTable(const std::vector<std::string>& paths);
// The recent file at `index` on the File menu. One that no longer exists is
// taken off the list once Open has reported it.
void OpenRecentFileCommand(int index);
void CloseCommand();
void SaveCommand();
void SaveAsCommand();
// Exit and the window's close box: the quit message once unsaved changes
// are saved or given up.
void ExitCommand();
