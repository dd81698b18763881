// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmark program: "generate DATA [--short]" writes the inputs, "run DATA [--short]"
// measures and prints the table with its targets (exit status 1 on any FAIL), and
// "peak FOLDER" is the child that measures the history load's peak memory.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_measures.h"
#include "bench_report.h"

namespace {

// Keeps every repetition's time per iteration; the table uses the best of them.
class CollectingReporter : public benchmark::BenchmarkReporter {
  public:
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations <= 0) continue;
            Measure* measure = FindMeasure(run.run_name.function_name);
            if (!measure) continue;
            if (run.error_occurred) {
                std::fprintf(stderr, "%s: %s\n", measure->name.c_str(), run.error_message.c_str());
                measure->verdict = -1;
                measure->check = "error: " + run.error_message;
                continue;
            }
            double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
            if (seconds < measure->best) measure->best = seconds;
        }
        std::fprintf(stderr, ".");
        std::fflush(stderr);
    }
};

int Usage() {
    std::fprintf(stderr,
                 "usage: velmora-bench generate DATA [--short]\n"
                 "       velmora-bench run DATA [--short] [benchmark options]\n"
                 "       velmora-bench peak FOLDER\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string mode = argv[1];
    const std::string data = argv[2];
    bool shortMode = false;
    std::vector<char*> rest = {argv[0]};
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--short") == 0)
            shortMode = true;
        else
            rest.push_back(argv[i]);
    }
    const BenchSizes sizes = SizesFor(shortMode);

    if (mode == "peak") return RunPeakChild(data);
    if (mode == "generate") return GenerateInputs(data, sizes) ? 0 : 1;
    if (mode != "run") return Usage();

    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    RegisterFileMeasures(data, sizes);
    RegisterDayMeasures(sizes);
    RegisterStartMeasures(data, sizes);
    RegisterReportMeasures(data, sizes);
    RegisterSyncMeasures(data, sizes);
    RegisterImportMeasures(data, sizes);
    PeakResult peak;
    if (sizes.peakWeeks > 0) {
        peak.measured = true;
        peak.fileBytes =
            FindMeasure("LoadWeekHistory/" + std::to_string(sizes.peakWeeks))->fileBytes;
        peak.ok = MeasurePeakMemory(HistoryFolder(data, sizes.peakWeeks), peak.baselineBytes,
                                    peak.peakBytes);
    }
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::fprintf(stderr, "\n");
    bool passed = CheckTargets(sizes, shortMode, peak);
    PrintTable(shortMode, peak);
    return passed ? 0 : 1;
}
