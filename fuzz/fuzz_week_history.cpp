// SPDX-License-Identifier: GPL-3.0-or-later
// LoadWeekHistory on arbitrary file bytes with a fixed clock (the first three input bytes
// choose the date, and the file's time says it was saved that day), followed by the
// catch-up: the history's last week lies in the current week or after it, the catch-up
// appends a bounded number of weeks, and a history that was loaded and saved loads back to
// the same weeks and saves to the same bytes.
#include <vector>

#include "calendar/week_calendar.h"
#include "calendar/week_dates.h"
#include "data/week_history.h"
#include "fuzz_support.h"
#include "platform/clock.h"

namespace {

constexpr std::size_t DateBytes = 3;
// From a damaged number 371 days behind, or a Monday up to a year before the file's day, the
// catch-up adds at most this many.
constexpr std::size_t MostCatchUpWeeks = 56;

LocalDate DateFrom(const std::uint8_t* data) {
    LocalDate date;
    date.year = 2020 + data[0] % 8;
    int days = IsLeapYear(date.year) ? 366 : 365;
    date.dayOfYear = 1 + (data[1] | data[2] << 8) % days;
    date.weekday = (DateOf(date.year, 1, 1).weekday + date.dayOfYear - 1) % 7;
    return date;
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
    fuzz::SetFileDay("units/history.txt", today.year, today.month, today.day);
}

void SaveAndCheck(const Document& doc) {
    FUZZ_CHECK(SaveWeekHistory(doc).report.ok(), "the history saves");
    FUZZ_CHECK(fuzz::NoTemporaryFileIn("units"), "no temporary file is left");
    SetFileDayToToday();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartMemoryFiles();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < DateBytes) return -1;
    const LocalDate today = DateFrom(data);
    SetClock([today] { return today; });
    Document doc;
    fuzz::WriteFile("units/history.txt", data + DateBytes, size - DateBytes);
    SetFileDayToToday();

    FUZZ_CHECK(LoadHistoryUpToToday(doc).ok(), "an existing file loads without a report");
    CheckLoaded(doc, size - DateBytes);
    const std::vector<TrainingWeek> loaded = doc.history;
    SaveAndCheck(doc);
    const fuzz::Bytes saved = fuzz::ReadFile("units/history.txt");

    FUZZ_CHECK(LoadHistoryUpToToday(doc).ok(), "the saved file loads");
    FUZZ_CHECK(fuzz::SameWeeks(doc.history, loaded), "the saved history loads as the same weeks");
    SaveAndCheck(doc);
    FUZZ_CHECK(fuzz::ReadFile("units/history.txt") == saved, "saving again gives the same bytes");
    SetClock({});
    return 0;
}
