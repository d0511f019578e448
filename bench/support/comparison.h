// Benchmarks in pairs, a baseline and its replacement, timed in the same run
// and reported with the ratio of their CPU times.
#pragma once

#include <functional>
#include <string>

#include <benchmark/benchmark.h>

// Registers `name/baseline` and `name/now`.
void RegisterComparison(const std::string& name, const std::function<void(benchmark::State&)>& baseline,
                        const std::function<void(benchmark::State&)>& now);

// Runs the benchmarks chosen on the command line and prints, after them, one
// line per pair that ran: "name: baseline 1.9 s, now 95 ms, 20.0x".
int RunBenchmarksWithComparisons(int argc, char** argv);
