// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile files to import: 50 MB of set rows, 50 MB in one line, 50 MB of random bytes after
// a header, an unclosed quote, a 1 MB line. Each is read without a crash or a hang, within a
// few times its size of memory (a skipped row costs nothing), and what it holds comes in
// whole or not at all.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include "data/data_fixture.h"
#include "imports/training_import.h"
#include "platform/clock.h"
#include "platform/unicode.h"
#include "reliability/reliability_support.h"

namespace {

using HostileImport = test::DataTest;

// The sanitizer build reads a tenth as much: the same paths, bearable times.
const std::size_t FileBytes =
    reliability::SanitizerBuild() ? 5u * 1024u * 1024u : 50u * 1024u * 1024u;

constexpr char StrongHeader[] = "Date,Exercise Name,Set Order,Weight,Reps,Notes\n";

// Writes the header, then what `piece` returns until the file has `bytes` bytes.
void WriteFile(const char* path, const std::string& header, std::size_t bytes,
               const std::function<std::string(std::size_t)>& piece) {
    std::ofstream out(path, std::ios::binary);
    out << header;
    std::size_t written = header.size();
    for (std::size_t index = 0; written < bytes; ++index) {
        const std::string next = piece(index);
        out << next;
        written += next.size();
    }
    ASSERT_TRUE(bool(out));
}

TEST_F(HostileImport, LargeAndBrokenFilesAreReadWithinBoundsAndNothingHalf) {
    SetToday(2024, 1, 10);
    std::mt19937 random(7);
    struct Row {
        const char* name;
        std::function<void()> write;
        std::size_t entries;
        WholeNumber skipped;
        SkipReason reason;
        // Memory allowed beyond what the process held before, as a multiple of the file.
        double memory;
    };
    // Ten sets a day of one exercise, days counted back from 9 January 2024 over 55 years and
    // then again: 20 000 entries of about 75 sets each.
    const std::size_t setRowBytes = std::string("2024-01-09 18:05:11,Bench,1,80,10,\n").size();
    const std::size_t setRows = (FileBytes - sizeof StrongHeader + 1) / setRowBytes + 1;
    const Row rows[] = {
        {"50 MB of set rows",
         [] {
             WriteFile("big.csv", StrongHeader, FileBytes, [](std::size_t index) {
                 const CivilDate day =
                     CivilDateOfDayNumber(DayNumberOf({2024, 1, 9}) - long(index / 10) % 20000);
                 return IsoDate(day) + " 18:05:11,Bench,1,80,10,\n";
             });
         },
         std::min<std::size_t>((setRows + 9) / 10, 20000), 0, SkipReason::None, 1.0},
        {"50 MB in one line after the header",
         [] {
             WriteFile("big.csv", StrongHeader, FileBytes,
                       [](std::size_t) { return std::string(64 * 1024, 'x'); });
         },
         0, 1, SkipReason::TooLong, 0.25},
        {"50 MB of random bytes after the header",
         [&random] {
             WriteFile("big.csv", StrongHeader, FileBytes, [&random](std::size_t) {
                 std::string bytes(4096, '\0');
                 for (char& byte : bytes) byte = char(random());
                 return bytes;
             });
         },
         0, -1, SkipReason::None, 0.25},
        {"an unclosed quote swallows the rest",
         [] {
             WriteFile("big.csv", std::string(StrongHeader) + "\"", FileBytes, [](std::size_t) {
                 return std::string("2024-01-09 18:05:11,Bench,1,80,10,\n");
             });
         },
         0, 1, SkipReason::TooLong, 0.25},
        {"a 1 MB line is one entry",
         [] {
             WriteFile("big.csv",
                       "Week,Monday of the week,Date,Weekday,Unit,Count 1,Count 2,Description\n"
                       "8,2024-01-08,2024-01-09,Tuesday,Notes,1,1,",
                       (1u << 20) + 100, [](std::size_t) { return std::string(1024, 'n'); });
         },
         1, 0, SkipReason::None, 8.0},
    };
    const std::vector<VelmoraHeader> velmora = {{u"Week", u"Monday of the week", u"Date",
                                                 u"Weekday", u"Unit", u"Count 1", u"Count 2",
                                                 u"Description"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.write();
        const double size = double(std::filesystem::file_size("big.csv"));
        const bool measured = reliability::ResetPeakMemory();
        const std::int64_t start = reliability::CurrentMemoryBytes();
        const auto began = std::chrono::steady_clock::now();
        Document document;
        document.history.push_back({8, {}});
        document.lastWeekEvidence = Today();
        const TrainingFile file = ReadTrainingFile(u"big.csv", velmora);
        ASSERT_EQ(file.outcome, TrainingFile::Outcome::Read);
        const ImportChanges changes = ApplyTrainingImport(document, file, Today());
        EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(60));
        EXPECT_EQ(std::size_t(changes.entriesAdded), row.entries);
        if (row.skipped >= 0) {
            EXPECT_EQ(changes.skipped.count, row.skipped);
        } else {
            EXPECT_GT(changes.skipped.count, 0);
        }
        if (row.reason != SkipReason::None) {
            EXPECT_EQ(changes.skipped.firstReason, row.reason);
        }
        // AddressSanitizer keeps freed memory in quarantine and adds red zones to every small
        // block: the bound is checked in the builds without it.
        if (measured && !reliability::SanitizerBuild()) {
            EXPECT_LT(double(reliability::PeakMemoryBytes() - start), row.memory * size + 16e6)
                << "peak beyond the start, file of " << size << " bytes";
        }
        for (const TrainingWeek& week : document.history)
            for (const std::u16string& day : week.days)
                EXPECT_EQ(day.find(u'\0'), std::u16string::npos);
    }
}

}  // namespace
