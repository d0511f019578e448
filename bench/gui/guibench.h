// What both GUI benchmarks share: a scratch folder, the message pump that
// lets a window finish painting, and the figures they print.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

// A fresh folder in the temporary directory, removed with its files at the end.
class BenchFolder {
public:
    BenchFolder();
    ~BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    std::string path(const std::string& name) const;

private:
    std::string folder_;
};

void writeFile(const std::string& path, const std::string& bytes);
void putUint32(std::string& bytes, std::uint32_t value);

// Handles every message waiting in this thread's queue, paints included, so
// that a command's deferred repaint counts in its figure.
void pumpMessages(HWND window);

// Runs `step`, pumps the window's messages and prints the wall-clock time
// with what was measured and on what size, e.g.
//   PXAEditor   open pair                          10,000 entries      0.42 s
// Returns the seconds.
double measure(const char* program, const char* what, std::size_t size, const char* unit, HWND window,
               const std::function<void()>& step);

// The process's working set in bytes, for the cost of a filled list.
std::size_t privateBytes();
// Prints a memory figure in the same layout as measure's.
void reportMemory(const char* program, const char* what, std::size_t size, const char* unit, std::size_t bytes);
