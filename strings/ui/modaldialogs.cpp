#include "modaldialogs.h"

#include "editstringdialog.h"
#include "finddialog.h"

namespace {

BOOL RealOpenFile(OPENFILENAMEA* dialog) { return GetOpenFileNameA(dialog); }

BOOL RealSaveFile(OPENFILENAMEA* dialog) { return GetSaveFileNameA(dialog); }

int RealMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  return MessageBoxA(owner, text, caption, type);
}

}  // namespace

ModalDialogs RealModalDialogs() { return {RealOpenFile, RealSaveFile, RealMessageBox, EditStringDialog, FindDialog}; }

ModalDialogs g_modalDialogs = RealModalDialogs();
