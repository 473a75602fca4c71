#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

// Prints as the console reporter does and keeps, for each benchmark, the least real
// and processor time per iteration over its repetitions: the run a busy machine
// disturbed least, for the ratios a benchmark prints at its end.
class LeastTimeReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> milliseconds;
    std::map<std::string, double> cpuMilliseconds;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (!run.error_occurred && run.run_type == Run::RT_Iteration) {
                keepLeast(milliseconds, run.run_name.function_name, run.GetAdjustedRealTime());
                keepLeast(cpuMilliseconds, run.run_name.function_name, run.GetAdjustedCPUTime());
            }
        ConsoleReporter::ReportRuns(runs);
    }

private:
    static void keepLeast(std::map<std::string, double> &times, const std::string &name, double t)
    {
        const auto found = times.find(name);
        if (found == times.end() || t < found->second)
            times[name] = t;
    }
};
