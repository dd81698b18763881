// SPDX-License-Identifier: GPL-3.0-or-later
// The saves in a synced folder beside today's save of the same document in the same run (a
// save that finds the file unchanged may cost at most 1.2x), and the merge of a decade of
// history with a file changed elsewhere (under 50 ms): the look at the disk, the read, the
// check, the hash and the three-way merge, without the save that follows.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench_measures.h"
#include "calendar/week_calendar.h"
#include "data/synced_save.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"
#include "platform/clock.h"

namespace {

Document SyncDocument;

void MeasureSyncedSave(benchmark::State& state, const std::string& source,
                       const std::string& folder, bool history) {
    SetClock([] { return DateOf(2026, 12, 8); });
    SyncDocument = Document();
    std::filesystem::create_directories(folder + "/units");
    EnterFolder(source);
    if (history) {
        LoadHistoryUpToToday(SyncDocument);
    } else {
        LoadUnitCatalogue(SyncDocument);
    }
    EnterFolder(folder);
    // The first save writes the file and makes it the base; every later one finds it unchanged.
    const auto save = [history] {
        return history ? SaveHistorySynced(SyncDocument, {})
                       : SaveCatalogueSynced(SyncDocument, {});
    };
    save();
    for (auto _ : state) {
        const SyncedSave saved = save();
        if (saved.merged || !saved.outcome.report.ok())
            state.SkipWithError("the save merged or failed");
    }
    SyncDocument = Document();
}

void MeasureMergeChanged(benchmark::State& state, const std::string& source,
                         const std::string& folder) {
    SetClock([] { return DateOf(2026, 12, 8); });
    Document loaded;
    std::filesystem::create_directories(folder + "/units");
    EnterFolder(source);
    LoadHistoryUpToToday(loaded);
    EnterFolder(folder);
    SaveHistorySynced(loaded, {});
    // Elsewhere: an entry on every third Wednesday and a week appended.
    Document elsewhere = loaded;
    for (std::size_t week = 0; week < elsewhere.history.size(); week += 3)
        elsewhere.history[week].days[2] += u"\\Run|5|1|elsewhere";
    AddWeek(elsewhere.history, 999);
    SaveWeekHistory(elsewhere);
    // Here: an entry on every second Thursday.
    for (std::size_t week = 0; week < loaded.history.size(); week += 2)
        loaded.history[week].days[3] += u"\\Row|5|1|here";
    for (auto _ : state) {
        state.PauseTiming();
        Document document = loaded;
        state.ResumeTiming();
        DiskChange change =
            LookAtDataFile(HistoryFilePath, document.historyBase.file, DataFileKind::History);
        if (change.kind != DiskChange::Kind::Changed) {
            state.SkipWithError("the changed file was not seen");
            break;
        }
        MergeHistoryFromDisk(document, change.version);
        benchmark::DoNotOptimize(document.history.data());
        state.PauseTiming();
        if (document.history.size() != loaded.history.size() + 1)
            state.SkipWithError("the merge lost or doubled weeks");
        state.ResumeTiming();
    }
}

}  // namespace

void RegisterSyncMeasures(const std::string& data, const BenchSizes& sizes) {
    const auto shape = [&sizes](benchmark::internal::Benchmark* benchmark, double bytes) {
        benchmark->UseRealTime()->Repetitions(sizes.repetitions)->Unit(benchmark::kMillisecond);
        benchmark->Iterations(bytes >= 4e6 ? 1 : 5);
    };
    const auto add = [&](const std::string& kind, std::size_t count, const std::string& source,
                         bool history) {
        const std::string name = "SaveSynced/" + kind + "/" + std::to_string(count);
        const Measure* plain = FindMeasure((history ? "SaveWeekHistory/" : "SaveUnitCatalogue/") +
                                           std::to_string(count));
        const double bytes = plain ? plain->fileBytes : 0;
        AddMeasure(name, "Save, file unchanged (" + kind + ")",
                   std::to_string(count) + " " + (history ? "weeks" : "units"), bytes, "byte")
            .fileBytes = bytes;
        shape(benchmark::RegisterBenchmark(name.c_str(), MeasureSyncedSave, source,
                                           SaveFolder(data, "sync-" + kind, count), history),
              bytes);
    };
    for (std::size_t units : sizes.units) add("units", units, UnitsFolder(data, units), false);
    for (std::size_t weeks : sizes.weeks) add("history", weeks, HistoryFolder(data, weeks), true);
    const std::string merge = "MergeChanged/" + std::to_string(sizes.reportWeeks);
    AddMeasure(merge, "Merge with a changed file", std::to_string(sizes.reportWeeks) + " weeks", 0,
               "");
    benchmark::RegisterBenchmark(merge.c_str(), MeasureMergeChanged, ReportFolder(data),
                                 SaveFolder(data, "sync-merge", sizes.reportWeeks))
        ->UseRealTime()
        ->Repetitions(sizes.repetitions)
        ->Iterations(5)
        ->Unit(benchmark::kMillisecond);
}
