// SPDX-License-Identifier: GPL-3.0-or-later
// Load and save of the two data files, each beside its floor: one read of the same bytes
// plus a count of their line ends, or one write of the same bytes with the save's own
// fsync and replace step. Also the peak-memory child of the history load.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/scripted_ui.h"
#include "bench_inputs.h"
#include "bench_measures.h"
#include "calendar/week_calendar.h"
#include "data/backups.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"
#include "platform/clock.h"
#include "platform/os_file.h"
#include "text/text_table.h"

namespace {

Document BenchDocument;  // what the measured loads fill and the measured saves write

void PrepareProgramState() {
    SetClock([] { return BenchToday(); });
    BenchDocument = Document();
}

ByteList ReadWholeFile(const std::string& path) {
    ByteList bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return bytes;
    std::uint8_t chunk[65536];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(file);
    return bytes;
}

// Line ends of a UTF-16 little-endian buffer: its LF code units.
std::size_t CountLineEnds(const std::uint8_t* bytes, std::size_t size) {
    std::size_t count = 0;
    for (std::size_t at = 0; at + 1 < size; at += 2)
        count += (bytes[at] == 10) & (bytes[at + 1] == 0);
    return count;
}

// A load and its floor each start as in a fresh process: what the last one filled is given
// up untimed (`clear`), and malloc_trim hands the freed memory back to the system, so both pay
// the page faults of the memory they fill. Only the operation itself is timed: pausing and
// resuming the library's timer reads the process's CPU time, which costs more than a small
// load.
template <typename Clear, typename Operation>
void TimeFromFreshHeap(benchmark::State& state, Clear clear, Operation operation) {
    for (auto _ : state) {
        clear();
        malloc_trim(0);
        const auto start = std::chrono::steady_clock::now();
        operation();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
    }
    clear();
}

void MeasureReadFloor(benchmark::State& state, const std::string& path) {
    std::unique_ptr<std::uint8_t[]> buffer;  // kept to the next round, as a load keeps its data
    TimeFromFreshHeap(
        state, [&buffer] { buffer.reset(); },
        [&] {
            int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            struct stat info {};
            ::fstat(fd, &info);
            std::size_t size = static_cast<std::size_t>(info.st_size);
            buffer.reset(new std::uint8_t[size + 1]);
            std::size_t done = 0;
            while (done < size) {
                ssize_t got = ::read(fd, buffer.get() + done, size - done);
                if (got <= 0) break;
                done += static_cast<std::size_t>(got);
            }
            ::close(fd);
            benchmark::DoNotOptimize(CountLineEnds(buffer.get(), done));
        });
}

// The same steps a safe save cannot do without: create a temporary file, one write, fsync,
// close, and rename it over the previous copy.
void MeasureWriteFloor(benchmark::State& state, const std::string& folder, const ByteList& bytes) {
    EnterFolder(folder);
    for (auto _ : state) {
        int fd = ::open("units/floor.new", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            state.SkipWithError("short write");
        ::fsync(fd);
        ::close(fd);
        ::rename("units/floor.new", "units/floor.txt");
    }
}

void MeasureLoadUnits(benchmark::State& state, const std::string& folder, std::size_t units) {
    PrepareProgramState();
    EnterFolder(folder);
    bool right = true;
    TimeFromFreshHeap(
        state, [] { std::vector<TrainingUnit>().swap(BenchDocument.catalogue); },
        [&] {
            LoadUnitCatalogue(BenchDocument);
            right = right && BenchDocument.catalogue.size() == units;
        });
    if (!right) state.SkipWithError("wrong number of units loaded");
}

void MeasureLoadHistory(benchmark::State& state, const std::string& folder, std::size_t weeks) {
    PrepareProgramState();
    EnterFolder(folder);
    bool right = true;
    TimeFromFreshHeap(
        state, [] { std::vector<TrainingWeek>().swap(BenchDocument.history); },
        [&] {
            LoadHistoryUpToToday(BenchDocument);
            right = right && BenchDocument.history.size() == weeks;
        });
    if (!right) state.SkipWithError("catch-up changed the history");
}

// Loads the catalogue of `source`, then saves it again and again into `folder`; the first,
// untimed save must give the source's bytes back.
void MeasureSaveUnits(benchmark::State& state, const std::string& source,
                      const std::string& folder) {
    PrepareProgramState();
    EnterFolder(source);
    LoadUnitCatalogue(BenchDocument);
    EnterFolder(folder);
    SaveUnitCatalogue(BenchDocument);
    if (ReadWholeFile("units/units.txt") != ReadWholeFile(source + "/units/units.txt"))
        state.SkipWithError("saved catalogue differs from its source");
    for (auto _ : state) SaveUnitCatalogue(BenchDocument);
    std::vector<TrainingUnit>().swap(BenchDocument.catalogue);
}

// The history save of a day's first save: the backup of the old file comes with it.
void MeasureSaveHistoryWithBackup(benchmark::State& state, const std::string& source,
                                  const std::string& folder) {
    PrepareProgramState();
    EnterFolder(source);
    LoadHistoryUpToToday(BenchDocument);
    EnterFolder(folder);
    const DailyBackup backup{14, BenchToday()};
    const std::u16string backupPath = DailyBackupPath(HistoryFilePath, backup.today);
    SaveWeekHistory(BenchDocument);
    for (auto _ : state) {
        state.PauseTiming();
        OsRemoveFile(backupPath);
        state.ResumeTiming();
        if (!SaveWeekHistory(BenchDocument, backup).backup.ok())
            state.SkipWithError("the backup was not made");
    }
    if (OsFileSize(backupPath) < 0) state.SkipWithError("no backup file");
    std::vector<TrainingWeek>().swap(BenchDocument.history);
}

void MeasureSaveHistory(benchmark::State& state, const std::string& source,
                        const std::string& folder) {
    PrepareProgramState();
    EnterFolder(source);
    LoadHistoryUpToToday(BenchDocument);
    EnterFolder(folder);
    SaveWeekHistory(BenchDocument);
    if (ReadWholeFile("units/history.txt") != ReadWholeFile(source + "/units/history.txt"))
        state.SkipWithError("saved history differs from its source");
    for (auto _ : state) SaveWeekHistory(BenchDocument);
    std::vector<TrainingWeek>().swap(BenchDocument.history);
}

// Slow measurements run once per repetition; fast ones let the library pick the count. The
// loads and read floors time themselves (TimeFromFreshHeap).
void Shape(benchmark::internal::Benchmark* benchmark, const BenchSizes& sizes, double bytes) {
    benchmark->UseManualTime()->Repetitions(sizes.repetitions)->Unit(benchmark::kMillisecond);
    if (bytes >= 4e6) {
        benchmark->Iterations(1);
    } else {
        benchmark->MinTime(sizes.minSeconds);
    }
}

void RegisterPair(const std::string& kind, const std::string& loadName, const std::string& saveName,
                  const std::string& folder, const std::string& saveFolder,
                  const std::string& fileName, std::size_t count, const std::string& countWord,
                  const BenchSizes& sizes, bool isUnits) {
    const std::string path = folder + "/units/" + fileName;
    auto bytes = std::make_shared<ByteList>(ReadWholeFile(path));
    const double size = static_cast<double>(bytes->size());
    const std::string sizeText = std::to_string(count) + " " + countWord;
    const std::string suffix = "/" + std::to_string(count);
    // Built step by step: GCC 12 warns falsely about "literal" + string + string.
    std::string readFloor = "ReadFloor/";
    readFloor += kind;
    readFloor += suffix;
    std::string writeFloor = "WriteFloor/";
    writeFloor += kind;
    writeFloor += suffix;

    AddMeasure(loadName + suffix, loadName, sizeText, size, "byte").fileBytes = size;
    AddMeasure(readFloor, "  floor: one read", sizeText, size, "byte").fileBytes = size;
    AddMeasure(saveName + suffix, saveName, sizeText, size, "byte").fileBytes = size;
    AddMeasure(writeFloor, "  floor: one write", sizeText, size, "byte").fileBytes = size;

    if (isUnits) {
        Shape(benchmark::RegisterBenchmark((loadName + suffix).c_str(), MeasureLoadUnits, folder,
                                           count),
              sizes, size);
    } else {
        Shape(benchmark::RegisterBenchmark((loadName + suffix).c_str(), MeasureLoadHistory, folder,
                                           count),
              sizes, size);
    }
    Shape(benchmark::RegisterBenchmark(readFloor.c_str(), MeasureReadFloor, path), sizes, size);
    // Saves wait for the disk, so each repetition is one save even for small files.
    auto saveShape = [&](benchmark::internal::Benchmark* benchmark) {
        benchmark->UseRealTime()->Repetitions(sizes.repetitions)->Unit(benchmark::kMillisecond);
        benchmark->Iterations(size >= 4e6 ? 1 : 5);
    };
    if (isUnits) {
        saveShape(benchmark::RegisterBenchmark((saveName + suffix).c_str(), MeasureSaveUnits,
                                               folder, saveFolder));
    } else {
        saveShape(benchmark::RegisterBenchmark((saveName + suffix).c_str(), MeasureSaveHistory,
                                               folder, saveFolder));
        const std::string withBackup = "SaveWithBackup/history" + suffix;
        AddMeasure(withBackup, "  with daily backup", sizeText, size, "byte").fileBytes = size;
        saveShape(benchmark::RegisterBenchmark(withBackup.c_str(), MeasureSaveHistoryWithBackup,
                                               folder, saveFolder));
    }
    saveShape(benchmark::RegisterBenchmark(writeFloor.c_str(),
                                           [saveFolder, bytes](benchmark::State& state) {
                                               MeasureWriteFloor(state, saveFolder, *bytes);
                                           }));
}

long StatusKilobytes(const char* field) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return -1;
    char line[256];
    long value = -1;
    std::size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, field, length) == 0) value = std::atol(line + length);
    std::fclose(status);
    return value;
}

}  // namespace

void RegisterFileMeasures(const std::string& data, const BenchSizes& sizes) {
    for (std::size_t units : sizes.units)
        RegisterPair("units", "LoadUnitCatalogue", "SaveUnitCatalogue", UnitsFolder(data, units),
                     SaveFolder(data, "units", units), "units.txt", units, "units", sizes, true);
    for (std::size_t weeks : sizes.weeks)
        RegisterPair("history", "LoadWeekHistory", "SaveWeekHistory", HistoryFolder(data, weeks),
                     SaveFolder(data, "history", weeks), "history.txt", weeks, "weeks", sizes,
                     false);
}

int RunPeakChild(const std::string& folder) {
    PrepareProgramState();
    EnterFolder(folder);
    long baseline = StatusKilobytes("VmHWM:");
    LoadHistoryUpToToday(BenchDocument);
    long peak = StatusKilobytes("VmHWM:");
    std::printf("%ld %ld %zu\n", baseline, peak, BenchDocument.history.size());
    return 0;
}

bool MeasurePeakMemory(const std::string& folder, double& baselineBytes, double& peakBytes) {
    char self[4096];
    ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) return false;
    self[length] = 0;
    std::string command = std::string("'") + self + "' peak '" + folder + "'";
    std::FILE* child = ::popen(command.c_str(), "r");
    if (!child) return false;
    long baseline = -1, peak = -1;
    std::size_t weeks = 0;
    int fields = std::fscanf(child, "%ld %ld %zu", &baseline, &peak, &weeks);
    int status = ::pclose(child);
    if (fields != 3 || status != 0 || baseline < 0 || peak < 0) return false;
    baselineBytes = static_cast<double>(baseline) * 1024;
    peakBytes = static_cast<double>(peak) * 1024;
    return true;
}
