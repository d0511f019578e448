// The system's own message box and file dialogs, as both editors' modal
// seams (ModalUi) hold them; tests put scripted answers in their place.
#pragma once

#include <windows.h>

#include <commdlg.h>

inline int SystemMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxA(owner, text, caption, type);
}
inline BOOL SystemOpenFileDialog(OPENFILENAMEA* dialog) { return GetOpenFileNameA(dialog); }
inline BOOL SystemSaveFileDialog(OPENFILENAMEA* dialog) { return GetSaveFileNameA(dialog); }
