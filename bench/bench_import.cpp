// SPDX-License-Identifier: GPL-3.0-or-later
// The import of a Strong export of 100 000 set rows (two years of daily training: ten
// exercises of ten sets a day, each set a row) into a fresh history, against its 1 s target,
// beside its floor: one read of the same bytes, counting their line ends.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "bench_inputs.h"
#include "bench_measures.h"
#include "imports/training_import.h"
#include "platform/clock.h"
#include "platform/unicode.h"

namespace {

constexpr int ExercisesPerDay = 10;
constexpr int SetsPerExercise = 10;

std::string ImportFile(const std::string& data) {
    return data + "/import/strong.csv";
}

// Whole days of ten exercises, the last day the day before BenchToday().
std::string StrongBytes(std::size_t rows) {
    const std::size_t setsPerDay = ExercisesPerDay * SetsPerExercise;
    const long long days = static_cast<long long>((rows + setsPerDay - 1) / setsPerDay);
    const long long last = LocalDayNumber(BenchToday()) - 1;
    std::string bytes =
        "Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,Notes,"
        "Workout Notes,RPE\n";
    std::size_t written = 0;
    for (long long day = last - days + 1; day <= last && written < rows; ++day) {
        const std::string date = IsoDate(CivilDateOfDayNumber(day)) + " 18:05:11";
        for (int exercise = 0; exercise < ExercisesPerDay && written < rows; ++exercise) {
            for (int set = 1; set <= SetsPerExercise && written < rows; ++set, ++written) {
                bytes += date + ",Day " + std::to_string(day % 4) + ",1h 5m,Exercise " +
                         std::to_string(exercise) + " (Barbell)," + std::to_string(set) + "," +
                         std::to_string(40 + exercise * 5 + (set > 5 ? 2.5 : 0)) + "," +
                         std::to_string(12 - set % 4) + ",0,0," +
                         (set == 1 ? "\"felt \"\"strong\"\"\"" : "") + ",,8\n";
            }
        }
    }
    return bytes;
}

void MeasureImport(benchmark::State& state, const std::string& path, std::size_t entries) {
    SetClock([] { return BenchToday(); });
    ImportChanges changes;
    for (auto _ : state) {
        Document document;
        document.history.push_back({WholeNumber(BenchToday().dayOfYear - 2), {}});
        document.lastWeekEvidence = BenchToday();
        const TrainingFile file = ReadTrainingFile(Utf8ToUtf16(path), {});
        changes = ApplyTrainingImport(document, file, BenchToday());
        benchmark::DoNotOptimize(document.history.data());
    }
    // An import that gave up early would look fast.
    if (std::size_t(changes.entriesAdded) != entries || changes.skipped.count != 0)
        state.SkipWithError("the import did not take every row");
}

void MeasureReadFloor(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        ::fstat(fd, &info);
        const std::size_t size = static_cast<std::size_t>(info.st_size);
        std::unique_ptr<char[]> buffer(new char[size + 1]);
        std::size_t done = 0;
        while (done < size) {
            const ssize_t got = ::read(fd, buffer.get() + done, size - done);
            if (got <= 0) break;
            done += static_cast<std::size_t>(got);
        }
        ::close(fd);
        std::size_t lines = 0;
        for (std::size_t at = 0; at < done; ++at) lines += buffer[at] == '\n';
        benchmark::DoNotOptimize(lines);
    }
}

}  // namespace

bool WriteImportInput(const std::string& data, const BenchSizes& sizes) {
    std::filesystem::create_directories(data + "/import");
    const std::string bytes = StrongBytes(sizes.importRows);
    return WriteBytesToFile(ImportFile(data), ByteList(bytes.begin(), bytes.end()));
}

void RegisterImportMeasures(const std::string& data, const BenchSizes& sizes) {
    const std::string path = ImportFile(data);
    const std::string suffix = "/" + std::to_string(sizes.importRows);
    const std::string size = std::to_string(sizes.importRows) + " set rows";
    std::error_code error;
    const double bytes = static_cast<double>(std::filesystem::file_size(path, error));
    const double rows = static_cast<double>(sizes.importRows);
    const std::size_t entries = (sizes.importRows + SetsPerExercise - 1) / SetsPerExercise;
    AddMeasure("ImportTraining" + suffix, "Import (Strong CSV)", size, rows, "row").fileBytes =
        error ? 0 : bytes;
    AddMeasure("ImportFloor" + suffix, "  floor: one read", size, rows, "row").fileBytes =
        error ? 0 : bytes;
    benchmark::RegisterBenchmark(("ImportTraining" + suffix).c_str(), MeasureImport, path, entries)
        ->UseRealTime()
        ->Repetitions(sizes.repetitions)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("ImportFloor" + suffix).c_str(), MeasureReadFloor, path)
        ->UseRealTime()
        ->Repetitions(sizes.repetitions)
        ->MinTime(sizes.minSeconds)
        ->Unit(benchmark::kMillisecond);
}
