// SPDX-License-Identifier: GPL-3.0-or-later
// The export writers on a decade of history (520 weeks, 1 000 distinct units): the report
// against its 100 ms target, the CSV and the calendar, beside the load of the same history.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <optional>

#include <filesystem>
#include <string>

#include "bench_inputs.h"
#include "bench_measures.h"
#include "calendar/week_calendar.h"
#include "data/week_history.h"
#include "platform/clock.h"
#include "reports/exports.h"
#include "text/text_table.h"

namespace {

Document ReportDocument;
const TextTable ReportTexts = BuildTextTable();

void LoadReportHistory(const std::string& folder) {
    SetClock([] { return BenchToday(); });
    ReportDocument = Document();
    EnterFolder(folder);
    LoadHistoryUpToToday(ReportDocument);
}

void MeasureLoad(benchmark::State& state, const std::string& folder, std::size_t weeks) {
    LoadReportHistory(folder);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<TrainingWeek>().swap(ReportDocument.history);
        malloc_trim(0);
        state.ResumeTiming();
        LoadHistoryUpToToday(ReportDocument);
    }
    if (ReportDocument.history.size() != weeks) state.SkipWithError("catch-up changed the history");
    std::vector<TrainingWeek>().swap(ReportDocument.history);
}

using Writer = std::string (*)(const std::vector<TrainingWeek>&, const TextTable&, const LocalDate&,
                               const std::optional<LocalDate>&);

// `mark` must appear in the written file: a writer that gave up early would look fast.
void MeasureWriter(benchmark::State& state, const std::string& folder, std::size_t weeks,
                   Writer writer, const std::string& mark) {
    LoadReportHistory(folder);
    if (ReportDocument.history.size() != weeks) state.SkipWithError("catch-up changed the history");
    const LocalDate today = BenchToday();
    std::size_t bytes = 0;
    bool marked = true;
    for (auto _ : state) {
        const std::string file =
            writer(ReportDocument.history, ReportTexts, today, ReportDocument.lastWeekEvidence);
        bytes = file.size();
        marked = file.find(mark) != std::string::npos;
        benchmark::DoNotOptimize(file.data());
    }
    const std::string lack = "the written file lacks " + mark;
    if (!marked) state.SkipWithError(lack.c_str());
    state.counters["bytes"] = static_cast<double>(bytes);
    std::vector<TrainingWeek>().swap(ReportDocument.history);
}

}  // namespace

void RegisterReportMeasures(const std::string& data, const BenchSizes& sizes) {
    const std::string folder = ReportFolder(data);
    const std::size_t weeks = sizes.reportWeeks;
    const std::string suffix = "/" + std::to_string(weeks);
    const std::string size =
        std::to_string(weeks) + " weeks, " + std::to_string(sizes.reportUnits) + " units";

    std::error_code error;
    const double fileBytes =
        static_cast<double>(std::filesystem::file_size(folder + "/units/history.txt", error));
    AddMeasure("ReportLoad" + suffix, "LoadWeekHistory (report)", size, 0, "").fileBytes =
        error ? 0 : fileBytes;
    benchmark::RegisterBenchmark(("ReportLoad" + suffix).c_str(), MeasureLoad, folder, weeks)
        ->UseRealTime()
        ->Repetitions(sizes.repetitions)
        ->MinTime(sizes.minSeconds)
        ->Unit(benchmark::kMillisecond);
    struct Export {
        const char* name;
        Writer writer;
        const char* mark;
    };
    const Export exports[] = {{"ReportHtml", ReportHtml, "</svg>"},
                              {"TrainingCsv", TrainingCsv, "\r\n"},
                              {"TrainingIcs", TrainingIcs, "END:VEVENT"}};
    for (const Export& item : exports) {
        const std::string name = item.name + suffix;
        AddMeasure(name, item.name, size, 0, "");
        benchmark::RegisterBenchmark(name.c_str(), MeasureWriter, folder, weeks, item.writer,
                                     std::string(item.mark))
            ->UseRealTime()
            ->Repetitions(sizes.repetitions)
            ->MinTime(sizes.minSeconds)
            ->Unit(benchmark::kMillisecond);
    }
}
