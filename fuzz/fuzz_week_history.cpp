// SPDX-License-Identifier: GPL-3.0-or-later
// LoadWeekHistory on arbitrary file bytes with a fixed clock (the first three input bytes
// choose the date, mostly near the file's last week, and the file's time says it was saved
// that day), followed by the catch-up: the history's last week lies in the current week or
// after it, the catch-up appends a bounded number of weeks, and a history that was loaded
// and saved loads back to the same weeks and saves to the same bytes.
#include <optional>
#include <string_view>
#include <vector>

#include "calendar/week_calendar.h"
#include "calendar/week_dates.h"
#include "data/week_history.h"
#include "fuzz_support.h"
#include "platform/clock.h"

namespace {

constexpr std::size_t DateBytes = 3;
const std::u16string HistoryFile = HistoryFilePath;
// From a damaged number 371 days behind, or a Monday up to a year before the file's day, the
// catch-up adds at most this many.
constexpr std::size_t MostCatchUpWeeks = 56;

// Any day of 2020 .. 2027: the first byte's low three bits choose the year, the next two
// bytes the day of the year.
LocalDate AnyDate(const std::uint8_t* data) {
    LocalDate date;
    date.year = 2020 + data[0] % 8;
    int days = IsLeapYear(date.year) ? 366 : 365;
    date.dayOfYear = 1 + (data[1] | data[2] << 8) % days;
    date.weekday = (DateOf(date.year, 1, 1).weekday + date.dayOfYear - 1) % 7;
    return date;
}

// Up to four weeks after the Monday the history's last number names in the year the first
// byte chooses or a later one, or none when the number names no Monday in the next 28 years.
// Most weeks people catch up are a few: a day anywhere in the year would append some 24 empty
// weeks to every input, most of the target's work, for the one loop they all go through.
std::optional<LocalDate> NearDate(const std::uint8_t* data, WholeNumber lastNumber) {
    if (lastNumber < FirstWeekNumber || lastNumber > LastWeekNumber) return std::nullopt;
    for (int year = 2020 + data[0] % 8, last = year + 27; year <= last; ++year) {
        const long long monday = DayNumberOf(CivilDate{year, 1, 1}) + lastNumber - 1;
        if (MondayFirstWeekday(monday) != 0) continue;
        const CivilDate day = CivilDateOfDayNumber(monday + data[1] % 29);
        return DateOf(day.year, day.month, day.day);
    }
    return std::nullopt;
}

// Three inputs in four (the first byte's bits 3 and 4 not both clear) have a day near the
// file's last week, the rest any day.
LocalDate DateFrom(const std::uint8_t* data, std::string_view file) {
    if ((data[0] & 0x18) == 0) return AnyDate(data);
    const std::vector<TrainingWeek> weeks = WeeksOfBytes(file);
    if (weeks.empty()) return AnyDate(data);
    return NearDate(data, weeks.back().weekNumber).value_or(AnyDate(data));
}

void CheckLoaded(const Document& doc, std::size_t fileSize) {
    const std::vector<TrainingWeek>& history = doc.history;
    FUZZ_CHECK(!history.empty(), "a load always leaves at least one week");
    // Every stored week needs a header line: one character and its line end, 2 bytes in UTF-8.
    FUZZ_CHECK(history.size() <= fileSize / 2 + 1 + MostCatchUpWeeks, "bounded catch-up");
    const LocalDate today = Today();
    const long long currentMonday = LocalDayNumber(today) - TodayDayIndex();
    const LocalDate evidence = EvidenceDay(doc.lastWeekEvidence, today);
    FUZZ_CHECK(PlaceNewestWeek(history.back().weekNumber, evidence).monday >= currentMonday,
               "the history reaches the current week");
}

void SetFileDayToToday() {
    const CivilDate today = CivilDateOf(Today());
    fuzz::SetFileDay(HistoryFile, today.year, today.month, today.day);
}

void SaveAndCheck(const Document& doc) {
    FUZZ_CHECK(SaveWeekHistory(doc).report.ok(), "the history saves");
    FUZZ_CHECK(fuzz::NoTemporaryFileIn(fuzz::UnitsFolder), "no temporary file is left");
    SetFileDayToToday();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartMemoryFiles();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < DateBytes) return -1;
    const std::string_view file(reinterpret_cast<const char*>(data + DateBytes), size - DateBytes);
    const LocalDate today = DateFrom(data, file);
    SetClock([today] { return today; });
    Document doc;
    fuzz::WriteFile(HistoryFile, data + DateBytes, size - DateBytes);
    SetFileDayToToday();

    FUZZ_CHECK(LoadHistoryUpToToday(doc).ok(), "an existing file loads without a report");
    CheckLoaded(doc, size - DateBytes);
    SaveAndCheck(doc);
    const fuzz::Bytes saved = fuzz::ReadFile(HistoryFile);

    // Loaded beside the first load, which stays as it was: no week is copied to compare.
    Document reloaded;
    FUZZ_CHECK(LoadHistoryUpToToday(reloaded).ok(), "the saved file loads");
    FUZZ_CHECK(fuzz::SameWeeks(reloaded.history, doc.history),
               "the saved history loads as the same weeks");
    SaveAndCheck(reloaded);
    FUZZ_CHECK(fuzz::ReadFile(HistoryFile) == saved, "saving again gives the same bytes");
    SetClock({});
    return 0;
}
