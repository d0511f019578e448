// The hourglass while a command works through a large document, in both
// editors: set when made, the previous cursor back when gone. It is kept to
// work that pumps no messages (no prompts or dialogs), so no WM_SETCURSOR
// puts the arrow back early.
#pragma once

#include <windows.h>

class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};
