// Drops files on a window as the shell does: a real drop handle (a DROPFILES
// block in global memory) sent with WM_DROPFILES. The window's handler owns
// the handle and frees it with DragFinish.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

void DropFiles(HWND window, const std::vector<std::string>& paths);
