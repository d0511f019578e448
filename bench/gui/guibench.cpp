#include "guibench.h"

#include <psapi.h>

#include <cstdio>

namespace {

std::string grouped(std::size_t value) {
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

void printFigure(const char* program, const char* what, std::size_t size, const char* unit, const std::string& value) {
    std::printf("%-18s %-34s %10s %-8s %12s\n", program, what, grouped(size).c_str(), unit, value.c_str());
    std::fflush(stdout);
}

}  // namespace

void reportOutcome(bool holds, const char* what, std::vector<std::string>& messages) {
    if (!holds) {
        std::printf("  !! %s\n", what);
    }
    for (const std::string& message : messages) {
        std::printf("  message: %s\n", message.c_str());
    }
    messages.clear();
    std::fflush(stdout);
}

void pumpMessages(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

double measure(const char* program, const char* what, std::size_t size, const char* unit, HWND window,
               const std::function<void()>& step) {
    pumpMessages(window);
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    step();
    pumpMessages(window);
    QueryPerformanceCounter(&end);
    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    char value[32];
    std::snprintf(value, sizeof(value), "%.3f s", seconds);
    printFigure(program, what, size, unit, value);
    return seconds;
}

std::size_t privateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    return counters.WorkingSetSize;
}

void reportMemory(const char* program, const char* what, std::size_t size, const char* unit, std::size_t bytes) {
    char value[32];
    std::snprintf(value, sizeof(value), "%.1f MiB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    printFigure(program, what, size, unit, value);
}
