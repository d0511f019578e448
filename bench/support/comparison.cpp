#include "comparison.h"

#include <cstdio>
#include <map>
#include <vector>

namespace {

const char* const baselineSuffix = "/baseline";
const char* const nowSuffix = "/now";

// The console's report, remembering the CPU time of every run in seconds.
class ComparingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                seconds_[run.benchmark_name()] =
                    run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [name, seconds] : seconds_) {
            const std::string::size_type end = name.rfind(baselineSuffix);
            if (end == std::string::npos) {
                continue;
            }
            const std::string pair = name.substr(0, end);
            const auto now = seconds_.find(pair + nowSuffix + name.substr(end + std::string(baselineSuffix).size()));
            if (now != seconds_.end()) {
                std::printf("%s: baseline %s, now %s, %.1fx\n", pair.c_str(), Format(seconds).c_str(),
                            Format(now->second).c_str(), seconds / now->second);
            }
        }
    }

private:
    static std::string Format(double seconds) {
        char text[32];
        if (seconds >= 1) {
            std::snprintf(text, sizeof text, "%.2f s", seconds);
        } else {
            std::snprintf(text, sizeof text, "%.1f ms", seconds * 1000);
        }
        return text;
    }

    std::map<std::string, double> seconds_;
};

}  // namespace

void RegisterComparison(const std::string& name, const std::function<void(benchmark::State&)>& baseline,
                        const std::function<void(benchmark::State&)>& now) {
    benchmark::RegisterBenchmark((name + baselineSuffix).c_str(), baseline)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + nowSuffix).c_str(), now)->Unit(benchmark::kMillisecond);
}

int RunBenchmarksWithComparisons(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    ComparingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
