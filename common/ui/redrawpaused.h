// While a list view changes many rows at once it neither repaints nor
// updates its scroll bars for each one (WM_SETREDRAW FALSE). Redraw on again,
// WM_SETREDRAW leaves the repainting to the caller: the window is
// invalidated whole.
#pragma once

#include <windows.h>

class RedrawPaused {
public:
    explicit RedrawPaused(HWND window) : window_(window) { SendMessageA(window_, WM_SETREDRAW, FALSE, 0); }
    ~RedrawPaused() {
        SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window_, nullptr, TRUE);
    }
    RedrawPaused(const RedrawPaused&) = delete;
    RedrawPaused& operator=(const RedrawPaused&) = delete;

private:
    HWND window_;
};
