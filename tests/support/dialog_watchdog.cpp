#include "dialog_watchdog.h"

#include <cstring>

namespace {

// Thread timers call back without context; one watchdog lives at a time.
DWORD g_started = 0;
DWORD g_allowed = 0;
bool g_fired = false;

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (std::strcmp(className, "#32770") == 0 && IsWindowVisible(window)) {
        g_fired = true;
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

void CALLBACK CheckDialogs(HWND, UINT, UINT_PTR, DWORD) {
    if (GetTickCount() - g_started > g_allowed) {
        EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
    }
}

}  // namespace

DialogWatchdog::DialogWatchdog(DWORD milliseconds) {
    g_started = GetTickCount();
    g_allowed = milliseconds;
    g_fired = false;
    timer_.reset(reinterpret_cast<void*>(SetTimer(nullptr, 0, 1000, CheckDialogs)));
}

void DialogWatchdog::TimerKiller::operator()(void* timer) const {
    KillTimer(nullptr, reinterpret_cast<UINT_PTR>(timer));
}

bool DialogWatchdog::fired() const { return g_fired; }
