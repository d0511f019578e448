// What both GUI benchmarks share: a scratch folder (TemporaryFolder), the
// message pump that lets a window finish painting, and the figures and
// outcomes they print.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "temporaryfolder.h"

// Says so when a command ended differently from what was measured, and
// prints the messages it showed, which are then cleared.
void reportOutcome(bool holds, const char* what, std::vector<std::string>& messages);

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
