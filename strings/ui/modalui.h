// Every modal piece of StringTableEditor's user interface goes through these
// pointers: the program uses the system's calls, tests answer from a script.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include "stringtable.h"

struct ModalUi {
    // MessageBoxA.
    int (*messageBox)(HWND owner, const char* text, const char* caption, UINT type);
    // GetOpenFileNameA and GetSaveFileNameA.
    BOOL (*openFileDialog)(OPENFILENAMEA* dialog);
    BOOL (*saveFileDialog)(OPENFILENAMEA* dialog);
    // EditStringDialog: true for OK, with the answer in the editor's name and
    // text buffers.
    bool (*editString)(HWND owner, const char* oldName, const TextUnit* oldText);
    // FindDialog: true for Find, with the answer in the editor's find text and
    // scope.
    bool (*find)(HWND owner);
};

ModalUi SystemModalUi();
