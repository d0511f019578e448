// Every modal piece of PXAEditor's user interface goes through these
// pointers: the program uses the system's calls, tests answer from a script.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

struct ModalUi {
    // MessageBoxA.
    int (*messageBox)(HWND owner, const char* text, const char* caption, UINT type);
    // GetOpenFileNameA, GetSaveFileNameA and CommDlgExtendedError.
    BOOL (*openFileDialog)(OPENFILENAMEA* dialog);
    BOOL (*saveFileDialog)(OPENFILENAMEA* dialog);
    DWORD (*fileDialogError)();
    // The folder browser, starting at `folder` when that names one: false
    // when cancelled; otherwise `folder` is the chosen folder's path, or
    // empty when it has none.
    bool (*browseForFolder)(HWND owner, const char* title, std::string& folder);
    // TrackPopupMenu with no flags; a chosen item arrives as WM_COMMAND.
    void (*contextMenu)(HMENU popup, int x, int y, HWND owner);
};

ModalUi SystemModalUi();
