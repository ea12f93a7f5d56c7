#pragma once
// The benchmarks' closing table: a console reporter that also keeps each
// run's real time, and the seconds of the first run whose name starts with
// a prefix (0 when none ran).

#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <vector>

class BenchTableReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) FSeconds[r.benchmark_name()] = r.GetAdjustedRealTime() / 1e3;
    }
    double Seconds(const char* prefix) const
    {
        for (const auto& [k, v] : FSeconds)
            if (k.rfind(prefix, 0) == 0) return v;
        return 0;
    }

private:
    std::map<std::string, double> FSeconds;
};
