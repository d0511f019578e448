#include "finddialog.h"

#include "dialogwindows.h"
#include "editorstate.h"
#include "stringtableeditor_resource.h"

namespace {

// By FindScope: Names, Texts, Both.
const int kScopeButtons[] = {IDC_FIND_IN_NAMES, IDC_FIND_IN_TEXTS, IDC_FIND_IN_BOTH};

void InitializeDialog(HWND dialog) {
    CenterOnOwner(dialog);
    SendDlgItemMessageW(dialog, IDC_FIND_TEXT, EM_LIMITTEXT, kFindBufferSize - 1, 0);
    SetDlgItemTextW(dialog, IDC_FIND_TEXT, g_editor.findText);
    CheckRadioButton(dialog, IDC_FIND_IN_NAMES, IDC_FIND_IN_BOTH, kScopeButtons[static_cast<int>(g_editor.findScope)]);
    // The last search, selected, so that typing replaces it.
    SendDlgItemMessageW(dialog, IDC_FIND_TEXT, EM_SETSEL, 0, -1);
    SetFocus(GetDlgItem(dialog, IDC_FIND_TEXT));
}

FindScope CheckedScope(HWND dialog) {
    if (IsDlgButtonChecked(dialog, IDC_FIND_IN_NAMES) == BST_CHECKED) {
        return FindScope::Names;
    }
    return IsDlgButtonChecked(dialog, IDC_FIND_IN_TEXTS) == BST_CHECKED ? FindScope::Texts : FindScope::Both;
}

void AcceptDialog(HWND dialog) {
    TextUnit piece[kFindBufferSize] = {};
    GetDlgItemTextW(dialog, IDC_FIND_TEXT, piece, kFindBufferSize);
    if (piece[0] == 0) {
        EndDialog(dialog, IDCANCEL);
        return;
    }
    lstrcpynW(g_editor.findText, piece, kFindBufferSize);
    g_editor.findScope = CheckedScope(dialog);
    EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK FindDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: InitializeDialog(dialog); return FALSE;  // the focus is set already
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            AcceptDialog(dialog);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

bool FindDialog(HWND owner) {
    // Wide, like the Edit String dialog, so that any text the texts hold can be
    // typed into the field.
    return MessageFontDialogBox(g_editor.instance, IDD_FIND, owner, FindDialogProc, 0) == IDOK;
}
