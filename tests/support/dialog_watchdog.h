// A modal loop that nobody answers would hang the whole test program and lose
// every result. While a watchdog lives, every dialog of this thread still open
// after its time is cancelled, and fired() tells the test that it had to.
#pragma once

#include <windows.h>

class DialogWatchdog {
public:
    explicit DialogWatchdog(DWORD milliseconds);
    ~DialogWatchdog();
    DialogWatchdog(const DialogWatchdog&) = delete;
    DialogWatchdog& operator=(const DialogWatchdog&) = delete;

    bool fired() const;

private:
    UINT_PTR timer_;
};
