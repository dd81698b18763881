// SPDX-License-Identifier: GPL-3.0-or-later
// The import on the CSV reader's inputs (the file's bytes behind the header the second byte
// chooses; the first, the reader's pieces, is not used here), with a fixed clock: it stores
// only what the entry format holds, keeps every week where the date rule reads it, and finds
// all of it there when the same bytes come again. Its file comes through the files in memory,
// as the program reads it through the file services.
#include <string>
#include <vector>

#include "calendar/week_dates.h"
#include "csv_input.h"
#include "data/day_entries.h"
#include "fuzz_support.h"
#include "imports/training_import.h"
#include "platform/clock.h"

namespace {

const std::u16string TrainingPath = u"training.csv";
const std::vector<VelmoraHeader> VelmoraHeaders = {{u"Week", u"Monday of the week", u"Date",
                                                    u"Weekday", u"Unit", u"Count 1", u"Count 2",
                                                    u"Description"}};

// fuzz_csv_reader shows that the rows do not depend on the pieces the reader is handed.
void CheckImport(const std::string& bytes) {
    fuzz::WriteFile(TrainingPath, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                    bytes.size());
    const TrainingFile file = ReadTrainingFile(TrainingPath, VelmoraHeaders);
    FUZZ_CHECK(file.outcome != TrainingFile::Outcome::Unreadable, "a file in memory reads");
    for (const DatedEntry& entry : file.entries) {
        FUZZ_CHECK(!HoldsFieldSeparator(entry.unit.Name()) &&
                       !HoldsFieldSeparator(entry.unit.Description()),
                   "no separator in what is stored");
        FUZZ_CHECK(FitsInOneEntry(entry.unit.Name()) && FitsInOneEntry(entry.unit.Description()),
                   "no control character in what is stored");
    }
    Document document;
    document.history.push_back({8, {}});
    document.lastWeekEvidence = Today();
    const ImportChanges changes = ApplyTrainingImport(document, file, Today());
    FUZZ_CHECK(changes.skipped.count >= file.skipped.count, "skipped rows only add up");
    const std::vector<CivilDate> mondays =
        WeekMondays(document.history, EvidenceDay(document.lastWeekEvidence, Today()));
    for (std::size_t index = 1; index < mondays.size(); ++index)
        FUZZ_CHECK(DayNumberOf(mondays[index - 1]) < DayNumberOf(mondays[index]),
                   "the weeks stay in date order");
    FUZZ_CHECK(DayNumberOf(mondays.back()) == DayNumberOf(CivilDate{2024, 1, 8}),
               "the newest week stays the newest");
    for (const AddedWeek& week : changes.weeks) {
        FUZZ_CHECK(week.number >= FirstWeekNumber && week.number <= LastWeekNumber,
                   "new weeks have numbers a week can have");
    }
    const std::vector<TrainingWeek> once = document.history;
    const ImportChanges again = ApplyTrainingImport(document, file, Today());
    FUZZ_CHECK(again.entriesAdded == 0 && again.weeks.empty(), "the same file twice adds nothing");
    FUZZ_CHECK(fuzz::SameWeeks(once, document.history), "the same file twice changes nothing");
}

}  // namespace

// The import only reads: one file, put anew for every input, is all the files it sees.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartMemoryFiles();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < fuzz::CsvPrefixBytes) return 0;
    SetClock([] { return DateOf(2024, 1, 10); });
    CheckImport(fuzz::CsvFileBytes(data, size));
    SetClock({});
    return 0;
}
