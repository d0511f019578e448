// Dialogs as Windows users expect them in both editors: in the system's
// message font and centred on the window they belong to.
#pragma once

#include <windows.h>

// DialogBoxParamW for the dialog resource `id`, shown in the system's
// message font instead of the font the resource names (the layout stays in
// dialog units, so it grows or shrinks with the font). A resource that
// cannot be rewritten is shown as it is.
INT_PTR MessageFontDialogBox(HINSTANCE instance, int id, HWND owner, DLGPROC procedure, LPARAM parameter);

// Moves `window` so that its centre is on its owner's centre, kept inside
// the work area of the owner's monitor. For WM_INITDIALOG.
void CenterOnOwner(HWND window);
