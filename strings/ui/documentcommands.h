// The File menu: the one open document, its path and the window title.
#pragma once

// With null, the program's name alone; otherwise "<program> - [name]".
void SetDocumentTitle(const char* documentName);
// Enables or greys the commands that need an open document.
void EnableDocumentCommands(bool documentOpen);
// Discards the open document without asking: no rows, no table, no path.
void CloseDocument();

void NewCommand();
void OpenCommand();
void CloseCommand();
void SaveCommand();
void SaveAsCommand();
