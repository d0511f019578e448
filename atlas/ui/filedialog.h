// The record every file dialog of the program is opened with.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <cstddef>

struct EditorApp;

// The record as the first Explorer-style dialogs knew it, without the members
// that later systems added: 76 bytes on 32-bit Windows.
const DWORD fileDialogRecordSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);

// Owned by the main window, no custom filter, no title, no initial folder.
// filterIndex is 1-based; defaultExtension may be null.
OPENFILENAMEA FileDialogRecord(const EditorApp& app, const char* filter, DWORD filterIndex, char* file,
                               DWORD fileSize, const char* defaultExtension, DWORD flags);
