// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmark program's shared pieces: the list of measurements with their best times,
// the folder layout of the generated inputs, and the registration of each group.
// Timing is Google Benchmark's; the table and the targets are bench_report's.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

struct BenchSizes {
    std::vector<std::size_t> units;    // catalogue sizes
    std::vector<std::size_t> weeks;    // history sizes
    std::vector<std::size_t> entries;  // day sizes
    std::size_t startUnits = 1000;
    std::vector<std::size_t> startWeeks;  // start-up histories
    std::size_t peakWeeks = 0;            // 0 = no peak memory measurement
    std::size_t reportWeeks = 520;        // the report's history: a decade of weeks
    std::size_t reportUnits = 1000;       // and this many distinct unit names in it
    std::size_t importRows = 100000;      // set rows of the Strong file the import reads
    int repetitions = 5;
    double minSeconds = 0.1;  // per repetition, for the fast measurements
};

BenchSizes SizesFor(bool shortMode);

// One row of the table. `amount` is the number of bytes or entries the time is divided by.
struct Measure {
    std::string name;  // Google Benchmark name, unique
    std::string what;  // first column
    std::string size;  // second column
    double amount = 0;
    std::string perWhat;  // "byte", "entry", "lookup" or "" (whole operation only)
    double fileBytes = 0;
    double best = std::numeric_limits<double>::infinity();  // seconds per iteration
    std::string check;  // the target's text, filled by the checks
    int verdict = 0;    // 0 none, 1 pass, -1 fail
};

std::vector<Measure>& Measures();
Measure* FindMeasure(const std::string& name);
Measure& AddMeasure(const std::string& name, const std::string& what, const std::string& size,
                    double amount, const std::string& perWhat);

// Folders under the data folder; each is a working directory with a units/ folder.
std::string UnitsFolder(const std::string& data, std::size_t units);
std::string HistoryFolder(const std::string& data, std::size_t weeks);
std::string SaveFolder(const std::string& data, const std::string& kind, std::size_t size);
std::string StartFolder(const std::string& data, std::size_t weeks);
std::string ReportFolder(const std::string& data);

// Writes every input file of the chosen sizes (deterministic).
bool GenerateInputs(const std::string& data, const BenchSizes& sizes);

// Registration of the measurement groups.
void RegisterFileMeasures(const std::string& data, const BenchSizes& sizes);
void RegisterDayMeasures(const BenchSizes& sizes);
void RegisterStartMeasures(const std::string& data, const BenchSizes& sizes);
void RegisterReportMeasures(const std::string& data, const BenchSizes& sizes);
// After RegisterFileMeasures: the synced saves take their sizes from its saves.
void RegisterSyncMeasures(const std::string& data, const BenchSizes& sizes);
void RegisterImportMeasures(const std::string& data, const BenchSizes& sizes);
// The Strong export the import measurement reads (bench_import.cpp).
bool WriteImportInput(const std::string& data, const BenchSizes& sizes);

// Peak resident memory of loading the history in `folder`, measured in a fresh child
// process (this program run as "peak FOLDER"). False when the child failed.
bool MeasurePeakMemory(const std::string& folder, double& baselineBytes, double& peakBytes);
int RunPeakChild(const std::string& folder);

void EnterFolder(const std::string& folder);
std::string SizeText(double bytes);
