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

    // The least real times of two benchmarks, when both ran and the second took any
    // time; the first may be taken as processor time instead.
    bool pair(const std::string &a, const std::string &b, double &aTime, double &bTime, bool aOnProcessor = false) const
    {
        const auto &aTimes = aOnProcessor ? cpuMilliseconds : milliseconds;
        const auto fa = aTimes.find(a);
        const auto fb = milliseconds.find(b);
        if (fa == aTimes.end() || fb == milliseconds.end() || fb->second <= 0)
            return false;
        aTime = fa->second;
        bTime = fb->second;
        return true;
    }

private:
    static void keepLeast(std::map<std::string, double> &times, const std::string &name, double t)
    {
        const auto found = times.find(name);
        if (found == times.end() || t < found->second)
            times[name] = t;
    }
};
