// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV reader and the import on arbitrary bytes, handed over in pieces whose sizes the
// first input byte chooses (the second puts a header of one of the three programs in front):
// the reader never asks for bytes after the end and never reads beyond what it was given,
// its rows are the plain rules' rows of the whole decoded text, decoding in pieces equals
// decoding at once, bad bytes mark rows only where there are any, and the import stores only
// what the entry format holds, keeps every week where the date rule reads it, and finds all
// of it there when the same bytes come again; the import's file comes through the files in
// memory.
#include <algorithm>
#include <string>
#include <vector>

#include "calendar/week_dates.h"
#include "data/day_entries.h"
#include "fuzz_support.h"
#include "imports/training_import.h"
#include "platform/clock.h"
#include "reference_text.h"

namespace {

const char* const Headers[] = {
    "",
    "Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,Notes,"
    "Workout Notes,RPE\n",
    "Date;Workout Name;Exercise Name;Set Order;Weight;Weight Unit;Reps;RPE;Distance;"
    "Distance Unit;Seconds;Notes;Workout Notes;Workout Duration\n",
    "title,start_time,end_time,description,exercise_title,superset_id,exercise_notes,"
    "set_index,set_type,weight_kg,reps,distance_km,duration_seconds,rpe\n",
    "Week,Monday of the week,Date,Weekday,Unit,Count 1,Count 2,Description\r\n",
};

const std::vector<VelmoraHeader> VelmoraHeaders = {{u"Week", u"Monday of the week", u"Date",
                                                    u"Weekday", u"Unit", u"Count 1", u"Count 2",
                                                    u"Description"}};

// Hands out the bytes in pieces of 1 .. 64 or whole chunks, and watches how it is asked.
struct PieceSource {
    const std::string* bytes = nullptr;
    std::size_t at = 0;
    std::size_t piece = 1;
    bool ended = false;

    std::intptr_t Read(char* buffer, std::size_t size) {
        FUZZ_CHECK(!ended, "no read after the end was told");
        FUZZ_CHECK(size > 0, "a read asks for at least one byte");
        const std::size_t count = std::min({size, piece, bytes->size() - at});
        std::copy_n(bytes->data() + at, count, buffer);
        at += count;
        ended = count == 0;
        return std::intptr_t(count);
    }
};

CsvByteSource SourceOf(PieceSource& state) {
    return [&state](char* buffer, std::size_t size) { return state.Read(buffer, size); };
}

void CheckRows(const std::string& bytes, std::size_t piece) {
    PieceSource state{&bytes, 0, piece};
    CsvReader reader;
    StartCsvReader(reader, SourceOf(state));
    std::vector<std::vector<std::u16string>> rows;
    bool cut = false;
    bool anyBad = false;
    WholeNumber line = 0;
    CsvRow row;
    while (NextCsvRow(reader, row)) {
        FUZZ_CHECK(row.fieldCount >= 1 && row.fieldCount <= MostCsvFields, "field count");
        FUZZ_CHECK(row.line > line, "rows start on later lines");
        line = row.line;
        cut = cut || row.tooLong || row.fieldCount == MostCsvFields;
        anyBad = anyBad || row.badBytes;
        rows.emplace_back(row.fields.begin(), row.fields.begin() + row.fieldCount);
    }
    FUZZ_CHECK(state.at == bytes.size(), "every byte was read");
    FUZZ_CHECK(!reader.readFailed, "the source never failed");

    std::size_t mark = 0;
    const CsvEncoding encoding = DetectCsvEncoding(bytes, mark);
    FUZZ_CHECK(encoding == reader.encoding, "the encoding the first bytes tell");
    std::u16string whole;
    std::vector<std::size_t> bad;
    DecodeCsvBytes(encoding, std::string_view(bytes).substr(mark), true, whole, bad);
    FUZZ_CHECK(anyBad == !bad.empty(), "bad bytes mark a row exactly when there are some");
    if (!cut) {
        FUZZ_CHECK(rows == reference::CsvRows(whole, reader.separator),
                   "the rows of the plain rules");
    }
}

bool SameWeeks(const std::vector<TrainingWeek>& a, const std::vector<TrainingWeek>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t index = 0; index < a.size(); ++index)
        if (a[index].weekNumber != b[index].weekNumber || a[index].days != b[index].days)
            return false;
    return true;
}

// The import reads its file as the program does, through the file services (here the files
// in memory); CheckRows has shown that the rows do not depend on the pieces they came in.
void CheckImport(const std::string& bytes) {
    fuzz::StartMemoryFiles();
    fuzz::WriteFile("training.csv", reinterpret_cast<const std::uint8_t*>(bytes.data()),
                    bytes.size());
    const TrainingFile file = ReadTrainingFile(u"training.csv", VelmoraHeaders);
    FUZZ_CHECK(file.outcome != TrainingFile::Outcome::Unreadable, "a file in memory reads");
    for (const DatedEntry& entry : file.entries) {
        FUZZ_CHECK(
            !HoldsFieldSeparator(entry.unit.name) && !HoldsFieldSeparator(entry.unit.description),
            "no separator in what is stored");
        FUZZ_CHECK(FitsInOneEntry(entry.unit.name) && FitsInOneEntry(entry.unit.description),
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
    FUZZ_CHECK(SameWeeks(once, document.history), "the same file twice changes nothing");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    SetClock([] { return DateOf(2024, 1, 10); });
    const std::size_t piece = data[0] < 200 ? 1 + data[0] % 64 : std::size_t(1) << 16;
    const std::string header = Headers[data[1] % std::size(Headers)];
    const std::string bytes =
        header + std::string(reinterpret_cast<const char*>(data + 2), size - 2);
    CheckRows(bytes, piece);
    CheckImport(bytes);
    return 0;
}
