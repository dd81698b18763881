// SPDX-License-Identifier: GPL-3.0-or-later
// Day operations on one day of many entries (append, remove, the entry-list fill on the
// scripted back end), text lookups, and the start-up of the program logic.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/control_ids.h"
#include "app/list_fills.h"
#include "app/program.h"
#include "app/scripted_ui.h"
#include "bench_inputs.h"
#include "bench_measures.h"
#include "data/day_entries.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"
#include "platform/clock.h"
#include "text/text_table.h"

namespace {

constexpr std::size_t UnitVariety = 64;

std::vector<TrainingUnit> SomeUnits() {
    std::vector<TrainingUnit> units;
    for (std::size_t i = 0; i < UnitVariety; ++i) units.push_back(BenchUnit(i));
    return units;
}

Document BenchDocument;

// One week whose Monday holds the given text; the operations work on week 0, day 0.
void OneWeekWithMonday(std::u16string text) {
    std::vector<TrainingWeek>().swap(BenchDocument.history);
    AddWeek(BenchDocument.history, 167);
    SetDayText(BenchDocument, 0, 0, std::move(text));
}

// Building a day entry by entry, from empty: the time divided by the entries is the cost
// of one append on a day of that size.
void MeasureAppend(benchmark::State& state, std::size_t entries) {
    const std::vector<TrainingUnit> units = SomeUnits();
    OneWeekWithMonday(u"");
    for (auto _ : state) {
        SetDayText(BenchDocument, 0, 0, u"");
        for (std::size_t i = 0; i < entries; ++i)
            AppendDayEntry(BenchDocument, 0, 0, units[i % UnitVariety]);
    }
    if (GetDayText(BenchDocument, 0, 0) != DayTextOf(entries))
        state.SkipWithError("appended day text is wrong");
}

// Removes the last entry (the one found after walking every separator) and appends it
// again, which restores the day exactly.
void MeasureRemove(benchmark::State& state, std::size_t entries) {
    const std::u16string full = DayTextOf(entries);
    const TrainingUnit last = BenchUnit(entries - 1);
    const WholeNumber position = static_cast<WholeNumber>(entries - 1);
    OneWeekWithMonday(full);
    for (auto _ : state) {
        RemoveDayEntry(BenchDocument, 0, 0, position);
        AppendDayEntry(BenchDocument, 0, 0, last);
    }
    if (GetDayText(BenchDocument, 0, 0) != full)
        state.SkipWithError("remove and append changed the day");
}

void MeasureFill(benchmark::State& state, std::size_t entries) {
    ScriptedUi ui;
    ProgramState program(ui);
    program.texts = BuildTextTable();
    ui.CreateControl(EntryList, ControlKind::ReportList, MainWindowParent, 0, 0, 100, 100, u"",
                     Alignment::Left);
    OneWeekWithMonday(DayTextOf(entries));
    program.document = BenchDocument;
    for (auto _ : state) FillEntryList(program);
    if (ui.Control(EntryList).items.size() != entries) state.SkipWithError("wrong row count");
}

void MeasureLookupCached(benchmark::State& state) {
    const TextTable texts = BuildTextTable();
    for (auto _ : state) benchmark::DoNotOptimize(LookupText(texts, u"Calendar", u"Week"));
}

void MeasureLookupGroupChange(benchmark::State& state) {
    const TextTable texts = BuildTextTable();
    for (auto _ : state) {
        benchmark::DoNotOptimize(LookupText(texts, u"Days", u"Monday"));
        benchmark::DoNotOptimize(LookupText(texts, u"Errors", u"Title"));
    }
}

// The whole program on a back end whose event queue is empty: start-up, the close request
// at once, and the orderly end.
void MeasureStart(benchmark::State& state, const std::string& folder, std::size_t weeks) {
    EnterFolder(folder);
    SetClock([] { return BenchToday(); });
    {
        ScriptedUi first;  // creates ini.ini once, outside the timing
        RunProgram(first);
    }
    std::size_t shownWeeks = 0;
    for (auto _ : state) {
        auto ui = std::make_unique<ScriptedUi>();
        RunProgram(*ui);
        state.PauseTiming();
        shownWeeks = ui->Control(WeekCombo).items.size();
        bool quiet = ui->messages.empty();
        ui.reset();
        if (!quiet) state.SkipWithError("start-up showed a message box");
        state.ResumeTiming();
    }
    if (shownWeeks != weeks) state.SkipWithError("catch-up added weeks");
}

}  // namespace

void RegisterDayMeasures(const BenchSizes& sizes) {
    struct Operation {
        const char* name;
        void (*measure)(benchmark::State&, std::size_t);
    };
    const Operation operations[] = {{"AppendDayEntry", MeasureAppend},
                                    {"RemoveDayEntry", MeasureRemove},
                                    {"FillEntryList", MeasureFill}};
    for (const Operation& operation : operations) {
        for (std::size_t entries : sizes.entries) {
            std::string name = std::string(operation.name) + "/" + std::to_string(entries);
            AddMeasure(name, operation.name, std::to_string(entries) + " entries",
                       static_cast<double>(entries), "entry");
            benchmark::RegisterBenchmark(name.c_str(), operation.measure, entries)
                ->UseRealTime()
                ->Repetitions(sizes.repetitions)
                ->MinTime(sizes.minSeconds)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    AddMeasure("LookupText/cached", "LookupText", "cached group", 1, "lookup");
    benchmark::RegisterBenchmark("LookupText/cached", MeasureLookupCached)
        ->Repetitions(sizes.repetitions)
        ->MinTime(sizes.minSeconds);
    AddMeasure("LookupText/change", "LookupText", "group change", 2, "lookup");
    benchmark::RegisterBenchmark("LookupText/change", MeasureLookupGroupChange)
        ->Repetitions(sizes.repetitions)
        ->MinTime(sizes.minSeconds);
}

void RegisterStartMeasures(const std::string& data, const BenchSizes& sizes) {
    for (std::size_t weeks : sizes.startWeeks) {
        std::string name = "RunProgram/" + std::to_string(weeks);
        AddMeasure(name, "RunProgram (start, close)",
                   std::to_string(weeks) + " weeks, " + std::to_string(sizes.startUnits) + " units",
                   0, "");
        benchmark::RegisterBenchmark(name.c_str(), MeasureStart, StartFolder(data, weeks), weeks)
            ->UseRealTime()
            ->Repetitions(sizes.repetitions)
            ->Iterations(weeks >= 100000 ? 1 : 3)
            ->Unit(benchmark::kMillisecond);
    }
}
