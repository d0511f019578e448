// A modal loop that nobody answers would hang the whole test program and lose
// every result. While a watchdog lives, every dialog of this thread still open
// after its time is cancelled, and fired() tells the test that it had to.
#pragma once

#include <windows.h>

#include <memory>

class DialogWatchdog {
public:
    explicit DialogWatchdog(DWORD milliseconds);
    bool fired() const;

private:
    struct TimerKiller {
        void operator()(void* timer) const;
    };
    // The thread timer's id, killed with the watchdog.
    std::unique_ptr<void, TimerKiller> timer_;
};
