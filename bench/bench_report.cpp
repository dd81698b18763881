// SPDX-License-Identifier: GPL-3.0-or-later
// The targets: each load and save beside its floor as FloorTargets lists them (the catalogue
// and the history people have, and the largest of each), a history save with its daily
// backup at most 1.2x one without, day operations growing at most 2x per entry from 1 000 to
// 100 000 entries, the history load's peak memory at most 2.5x its file, the synced save
// beside the plain one, the merge of a decade, the import of 100 000 set rows under 1 s (in
// both runs, beside its floor); in the short run, growth limits only otherwise.
#include "bench_report.h"

#include <cmath>
#include <cstdio>

namespace {

// A load or save of this many units or weeks at most `load` / `save` times its floor (0: no
// target). The history save of each size with a target is also checked with its backup.
struct FloorTarget {
    int kind;  // 0 the catalogue, 1 the history
    std::size_t count;
    double load;
    double save;
};
constexpr FloorTarget FloorTargets[] = {
    {0, 10000, 5.0, 0},  // a large catalogue of one's own: 520 kB
    {0, 1000000, 2.0, 1.5},
    {1, 520, 5.0, 0},  // a decade of weeks: 143 kB
    {1, 200000, 3.0, 2.0},
};
constexpr double BackupSaveLimit = 1.2;
// A save that first looks at the file on disk and finds it unchanged, against the plain save.
constexpr double SyncedSaveLimit = 1.2;
// The merge of a decade of history with a changed file.
constexpr double MergeLimitSeconds = 0.050;
constexpr double DayGrowthLimit = 2.0;
constexpr double ShortGrowthLimit = 3.0;
constexpr double PeakMemoryLimit = 2.5;
constexpr double ReportLimitSeconds = 0.1;
constexpr double ImportLimitSeconds = 1.0;

double PerUnit(const Measure& measure) {
    return measure.amount > 0 ? measure.best / measure.amount : measure.best;
}

bool Judge(Measure& measure, double ratio, double limit, const std::string& against) {
    char text[160];
    std::snprintf(text, sizeof text, "%.2fx %s (max %gx)", ratio, against.c_str(), limit);
    measure.check = text;
    bool pass = std::isfinite(ratio) && ratio <= limit;
    measure.verdict = pass ? 1 : -1;
    return pass;
}

// A measurement that errored keeps its error; one that never ran fails.
bool Usable(Measure* measure) {
    if (!measure) return false;
    if (measure->verdict < 0) return false;
    if (!std::isfinite(measure->best)) {
        measure->check = "not measured";
        measure->verdict = -1;
        return false;
    }
    return true;
}

bool FloorCheck(const std::string& name, const std::string& floorName, double limit,
                const std::string& against = "its floor") {
    Measure* measure = FindMeasure(name);
    Measure* floor = FindMeasure(floorName);
    if (!Usable(measure) || !Usable(floor)) return false;
    return Judge(*measure, measure->best / floor->best, limit, against);
}

bool GrowthCheck(const std::string& base, std::size_t small, std::size_t large, double limit,
                 const std::string& perWhat) {
    Measure* first = FindMeasure(base + "/" + std::to_string(small));
    Measure* second = FindMeasure(base + "/" + std::to_string(large));
    if (!Usable(first) || !Usable(second)) return false;
    return Judge(*second, PerUnit(*second) / PerUnit(*first), limit,
                 "per " + perWhat + " of " + std::to_string(small));
}

std::string TimeText(double seconds);

// The report of a decade must take under 100 ms; the load of the same history is shown
// beside it for scale.
bool ReportCheck(const BenchSizes& sizes) {
    const std::string suffix = "/" + std::to_string(sizes.reportWeeks);
    Measure* report = FindMeasure("ReportHtml" + suffix);
    Measure* load = FindMeasure("ReportLoad" + suffix);
    if (!Usable(report) || !Usable(load)) return false;
    char text[160];
    std::snprintf(text, sizeof text, "max %s, %.2fx the load", TimeText(ReportLimitSeconds).c_str(),
                  report->best / load->best);
    report->check = text;
    report->verdict = report->best < ReportLimitSeconds ? 1 : -1;
    return report->verdict > 0;
}

// A synced save against the plain save of the same run, whatever the plain save's own verdict.
bool SyncedSaveCheck(const std::string& name, const std::string& plainName) {
    Measure* synced = FindMeasure(name);
    Measure* plain = FindMeasure(plainName);
    if (!Usable(synced) || !plain || !std::isfinite(plain->best)) return false;
    return Judge(*synced, synced->best / plain->best, SyncedSaveLimit, "the plain save");
}

// The merge of a decade with a file changed elsewhere must take under 50 ms.
bool MergeCheck(const BenchSizes& sizes) {
    Measure* merge = FindMeasure("MergeChanged/" + std::to_string(sizes.reportWeeks));
    if (!Usable(merge)) return false;
    merge->check = "max " + TimeText(MergeLimitSeconds);
    merge->verdict = merge->best < MergeLimitSeconds ? 1 : -1;
    return merge->verdict > 0;
}

// The import of two years of sets must take under 1 s; one read of its bytes beside it.
bool ImportCheck(const BenchSizes& sizes) {
    const std::string suffix = "/" + std::to_string(sizes.importRows);
    Measure* import = FindMeasure("ImportTraining" + suffix);
    Measure* floor = FindMeasure("ImportFloor" + suffix);
    if (!Usable(import) || !Usable(floor)) return false;
    char text[160];
    std::snprintf(text, sizeof text, "max %s, %.1fx its floor",
                  TimeText(ImportLimitSeconds).c_str(), import->best / floor->best);
    import->check = text;
    import->verdict = import->best < ImportLimitSeconds ? 1 : -1;
    return import->verdict > 0;
}

std::string TimeText(double seconds) {
    char text[32];
    if (!std::isfinite(seconds)) return "-";
    if (seconds >= 1)
        std::snprintf(text, sizeof text, "%.2f s", seconds);
    else if (seconds >= 1e-3)
        std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
    else if (seconds >= 1e-6)
        std::snprintf(text, sizeof text, "%.2f us", seconds * 1e6);
    else
        std::snprintf(text, sizeof text, "%.1f ns", seconds * 1e9);
    return text;
}

std::string PerUnitText(const Measure& measure) {
    if (measure.perWhat.empty() || !std::isfinite(measure.best)) return "";
    char text[48];
    std::snprintf(text, sizeof text, "%.2f ns/%s", PerUnit(measure) * 1e9, measure.perWhat.c_str());
    return text;
}

const char* VerdictText(int verdict) {
    return verdict > 0 ? "PASS" : verdict < 0 ? "FAIL" : "";
}

}  // namespace

bool CheckTargets(const BenchSizes& sizes, bool shortMode, PeakResult& peak) {
    bool passed = true;
    const char* kinds[2][3] = {{"units", "LoadUnitCatalogue", "SaveUnitCatalogue"},
                               {"history", "LoadWeekHistory", "SaveWeekHistory"}};
    if (shortMode) {
        for (int k = 0; k < 2; ++k) {
            const std::vector<std::size_t>& counts = k == 0 ? sizes.units : sizes.weeks;
            for (int op = 1; op <= 2; ++op)
                passed &= GrowthCheck(kinds[k][op], counts.front(), counts.back(), ShortGrowthLimit,
                                      "byte");
        }
    }
    for (const FloorTarget& target : FloorTargets) {
        if (shortMode) break;
        const char* const* kind = kinds[target.kind];
        const std::string suffix = "/" + std::to_string(target.count);
        if (target.load > 0)
            passed &= FloorCheck(kind[1] + suffix, std::string("ReadFloor/") + kind[0] + suffix,
                                 target.load);
        if (target.save <= 0) continue;
        passed &= FloorCheck(kind[2] + suffix, std::string("WriteFloor/") + kind[0] + suffix,
                             target.save);
        if (target.kind == 1)
            passed &= FloorCheck("SaveWithBackup/history" + suffix, kind[2] + suffix,
                                 BackupSaveLimit, "the save alone");
        passed &= SyncedSaveCheck(std::string("SaveSynced/") + kind[0] + suffix, kind[2] + suffix);
    }
    for (const char* operation : {"AppendDayEntry", "RemoveDayEntry", "FillEntryList"}) {
        std::size_t small = shortMode ? sizes.entries.front() : 1000;
        passed &= GrowthCheck(operation, small, sizes.entries.back(),
                              shortMode ? ShortGrowthLimit : DayGrowthLimit, "entry");
    }
    passed &= ReportCheck(sizes);
    passed &= MergeCheck(sizes);
    passed &= ImportCheck(sizes);
    // Every other measurement must at least have run without error.
    for (Measure& measure : Measures()) {
        if (measure.verdict == 0 && !std::isfinite(measure.best)) {
            measure.check = "not measured";
            measure.verdict = -1;
        }
        if (measure.verdict < 0) passed = false;
    }
    if (peak.measured) {
        char text[160];
        double ratio = peak.peakBytes / peak.fileBytes;
        std::snprintf(text, sizeof text, "%.2fx file (max %gx), start %s", ratio, PeakMemoryLimit,
                      SizeText(peak.baselineBytes).c_str());
        peak.check = peak.ok ? text : "child failed";
        peak.verdict = peak.ok && ratio <= PeakMemoryLimit ? 1 : -1;
        passed &= peak.verdict > 0;
    }
    return passed;
}

void PrintTable(bool shortMode, const PeakResult& peak) {
    std::printf("\nVelmora benchmarks (%s run; best of the repetitions)\n",
                shortMode ? "short" : "full");
    const char* format = "%-26s %-24s %10s %10s %16s  %-42s %s\n";
    std::printf(format, "measurement", "size", "input", "best", "per unit", "check", "");
    std::printf("%s\n", std::string(140, '-').c_str());
    for (const Measure& measure : Measures()) {
        std::string input = measure.fileBytes > 0 ? SizeText(measure.fileBytes) : "";
        std::printf(format, measure.what.c_str(), measure.size.c_str(), input.c_str(),
                    TimeText(measure.best).c_str(), PerUnitText(measure).c_str(),
                    measure.check.c_str(), VerdictText(measure.verdict));
    }
    if (peak.measured) {
        std::printf(format, "peak memory of the load", "LoadWeekHistory",
                    SizeText(peak.fileBytes).c_str(), SizeText(peak.peakBytes).c_str(), "",
                    peak.check.c_str(), VerdictText(peak.verdict));
    }
    int failures = 0;
    for (const Measure& measure : Measures()) failures += measure.verdict < 0;
    failures += peak.verdict < 0;
    std::printf("%s\n", failures == 0 ? "all targets met" : "some targets missed");
}
