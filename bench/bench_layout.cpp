// SPDX-License-Identifier: GPL-3.0-or-later
// The folder layout of the generated inputs, the size sets of the full and short runs,
// and the list of measurements that the timing fills and the report reads.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bench_inputs.h"
#include "bench_measures.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t UnitSeed = 20250618;
constexpr std::uint64_t HistorySeed = 4242;
constexpr std::uint64_t ReportSeed = 52052;

bool WriteInto(const std::string& folder, const char* file, const ByteList& bytes) {
    fs::create_directories(folder + "/units");
    return WriteBytesToFile(folder + "/units/" + file, bytes);
}

// A start-up folder is the shipped working directory (language files and pictures) plus
// generated data files.
bool MakeStartFolder(const std::string& folder, std::size_t units, std::size_t weeks) {
    std::error_code error;
    fs::create_directories(folder, error);
    fs::copy(VELMORA_DEFAULT_DIR, folder,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
    if (error) {
        std::fprintf(stderr, "cannot copy %s: %s\n", VELMORA_DEFAULT_DIR, error.message().c_str());
        return false;
    }
    return WriteInto(folder, "units.txt", UnitFileBytes(units, UnitSeed)) &&
           WriteInto(folder, "history.txt", HistoryFileBytes(weeks, HistorySeed));
}

}  // namespace

BenchSizes SizesFor(bool shortMode) {
    BenchSizes sizes;
    if (shortMode) {
        // Two sizes a factor of ten apart, both past the processor caches so that only the
        // growth of the code shows: enough to see a quadratic step, quick on 2 cores.
        sizes.units = {10000, 100000};
        sizes.weeks = {5200, 52000};
        sizes.entries = {1000, 10000};
        sizes.startWeeks = {520};
        sizes.peakWeeks = 0;
        sizes.repetitions = 5;
        sizes.minSeconds = 0.02;
        return sizes;
    }
    sizes.units = {10, 10000, 1000000};
    sizes.weeks = {1, 520, 200000};
    sizes.entries = {10, 1000, 100000};
    sizes.startWeeks = {520, 200000};
    sizes.peakWeeks = 200000;
    sizes.repetitions = 5;
    sizes.minSeconds = 0.1;
    return sizes;
}

std::vector<Measure>& Measures() {
    static std::vector<Measure> measures;
    return measures;
}

Measure* FindMeasure(const std::string& name) {
    for (Measure& measure : Measures())
        if (measure.name == name) return &measure;
    return nullptr;
}

Measure& AddMeasure(const std::string& name, const std::string& what, const std::string& size,
                    double amount, const std::string& perWhat) {
    Measure measure;
    measure.name = name;
    measure.what = what;
    measure.size = size;
    measure.amount = amount;
    measure.perWhat = perWhat;
    Measures().push_back(measure);
    return Measures().back();
}

std::string UnitsFolder(const std::string& data, std::size_t units) {
    return data + "/units-" + std::to_string(units);
}

std::string HistoryFolder(const std::string& data, std::size_t weeks) {
    return data + "/history-" + std::to_string(weeks);
}

std::string SaveFolder(const std::string& data, const std::string& kind, std::size_t size) {
    return data + "/save-" + kind + "-" + std::to_string(size);
}

std::string StartFolder(const std::string& data, std::size_t weeks) {
    return data + "/start-" + std::to_string(weeks);
}

std::string ReportFolder(const std::string& data) {
    return data + "/report";
}

bool GenerateInputs(const std::string& data, const BenchSizes& sizes) {
    for (std::size_t units : sizes.units) {
        if (!WriteInto(UnitsFolder(data, units), "units.txt", UnitFileBytes(units, UnitSeed)))
            return false;
        fs::create_directories(SaveFolder(data, "units", units) + "/units");
    }
    for (std::size_t weeks : sizes.weeks) {
        if (!WriteInto(HistoryFolder(data, weeks), "history.txt",
                       HistoryFileBytes(weeks, HistorySeed)))
            return false;
        fs::create_directories(SaveFolder(data, "history", weeks) + "/units");
    }
    for (std::size_t weeks : sizes.startWeeks)
        if (!MakeStartFolder(StartFolder(data, weeks), sizes.startUnits, weeks)) return false;
    return WriteInto(ReportFolder(data), "history.txt",
                     ReportHistoryBytes(sizes.reportWeeks, sizes.reportUnits, ReportSeed)) &&
           WriteImportInput(data, sizes);
}

void EnterFolder(const std::string& folder) {
    if (::chdir(folder.c_str()) != 0) {
        std::fprintf(stderr, "cannot enter %s\n", folder.c_str());
        std::exit(2);
    }
}

std::string SizeText(double bytes) {
    char text[32];
    if (bytes >= 1e6)
        std::snprintf(text, sizeof text, "%.1f MB", bytes / 1e6);
    else if (bytes >= 1e3)
        std::snprintf(text, sizeof text, "%.1f kB", bytes / 1e3);
    else
        std::snprintf(text, sizeof text, "%.0f B", bytes);
    return text;
}
