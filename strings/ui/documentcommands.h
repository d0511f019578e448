// The File menu: the one open document, its path and the window title.
#pragma once

#include <string>
#include <vector>

// With null, the program's name alone; otherwise "<program> - [name]".
void SetDocumentTitle(const char* documentName);
// Enables or greys the commands that need an open document.
void EnableDocumentCommands(bool documentOpen);
// Discards the open document without asking: no rows, no table, no path.
void CloseDocument();

void NewCommand();
void OpenCommand();
// Opens the first of `paths` as Open opens a chosen file; the others are
// ignored, since the editor holds one table. Nothing happens without a path.
// For the command line and for files dropped on the window.
void OpenFirstTable(const std::vector<std::string>& paths);
void CloseCommand();
void SaveCommand();
void SaveAsCommand();
