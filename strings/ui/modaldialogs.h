// Every modal piece of the user interface goes through these pointers: the
// program uses the real calls, tests put scripted answers in their place.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include "stringtable.h"

struct ModalDialogs {
  // GetOpenFileNameA and GetSaveFileNameA.
  BOOL (*openFile)(OPENFILENAMEA* dialog);
  BOOL (*saveFile)(OPENFILENAMEA* dialog);
  // MessageBoxA.
  int (*messageBox)(HWND owner, const char* text, const char* caption, UINT type);
  // EditStringDialog: true for OK, with the answer in the editor's name and
  // text buffers.
  bool (*editString)(HWND owner, const char* oldName, const TextUnit* oldText);
  // FindDialog: true for Find, with the answer in the editor's find text and
  // scope.
  bool (*find)(HWND owner);
};

extern ModalDialogs g_modalDialogs;

ModalDialogs RealModalDialogs();
