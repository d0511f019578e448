#include "editstringdialog.h"

#include "editorstate.h"
#include "modaldialogs.h"
#include "namekey.h"
#include "stringtableeditor_resource.h"

namespace {

struct EditStringRequest {
  const char* oldName;
  const TextUnit* oldText;
};

const EditStringRequest& RequestOf(HWND dialog) {
  return *reinterpret_cast<const EditStringRequest*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void InitializeDialog(HWND dialog, const EditStringRequest& request) {
  if (request.oldName != nullptr) {
    SetDlgItemTextA(dialog, IDC_STRING_NAME, request.oldName);
  }
  if (request.oldText != nullptr) {
    SetDlgItemTextW(dialog, IDC_STRING_TEXT, request.oldText);
  }
  // Editing usually means changing the text; inserting starts with the name.
  SetFocus(GetDlgItem(dialog, request.oldName != nullptr ? IDC_STRING_TEXT : IDC_STRING_NAME));
}

bool NameBelongsToAnotherEntry(const EditStringRequest& request, const char* name) {
  if (request.oldName != nullptr && CompareNamesIgnoringCase(request.oldName, name) == 0) {
    return false;  // the entry keeps its own name, perhaps in another letter case
  }
  return g_editor.table != nullptr && StringTableNameExists(*g_editor.table, name);
}

void AcceptDialog(HWND dialog) {
  // Longer input is cut to the buffers without a message.
  GetDlgItemTextA(dialog, IDC_STRING_NAME, g_editor.nameBuffer, kMaxNameLength + 1);
  GetDlgItemTextW(dialog, IDC_STRING_TEXT, g_editor.textBuffer, kMaxTextLength + 1);
  if (g_editor.nameBuffer[0] == '\0') {
    EndDialog(dialog, IDCANCEL);
    return;
  }
  if (NameBelongsToAnotherEntry(RequestOf(dialog), g_editor.nameBuffer)) {
    g_modalDialogs.messageBox(nullptr, "String with this name already exists!", "Error", MB_OK | MB_ICONERROR);
    return;
  }
  EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK EditStringDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      InitializeDialog(dialog, *reinterpret_cast<const EditStringRequest*>(lParam));
      return FALSE;  // the focus is set already
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
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

bool EditStringDialog(HWND owner, const char* oldName, const TextUnit* oldText) {
  g_editor.nameBuffer[0] = '\0';
  g_editor.textBuffer[0] = 0;
  EditStringRequest request{oldName, oldText};
  // The wide call makes the dialog's edit controls Unicode windows, so the
  // text field holds any UTF-16 text; an ANSI dialog would squeeze it through
  // the code page. The name is still read and written as ANSI.
  const INT_PTR result = DialogBoxParamW(g_editor.instance, MAKEINTRESOURCEW(IDD_EDIT_STRING), owner,
                                         EditStringDialogProc, reinterpret_cast<LPARAM>(&request));
  return result == IDOK;
}
