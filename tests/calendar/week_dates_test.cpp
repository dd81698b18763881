// SPDX-License-Identifier: GPL-3.0-or-later
// The dates of history weeks: civil-date arithmetic against the clock's DateOf, every
// week's Monday around year changes (leap years, negative numbers, 366, damaged numbers),
// the newest week's place read from the day its file changed, and the date texts of the
// exports.
#include "calendar/week_dates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

std::vector<TrainingWeek> HistoryOf(const std::vector<WholeNumber>& numbers) {
    std::vector<TrainingWeek> history;
    for (WholeNumber number : numbers) {
        TrainingWeek week;
        week.weekNumber = number;
        history.push_back(week);
    }
    return history;
}

std::vector<std::string> IsoMondays(const std::vector<TrainingWeek>& history,
                                    const LocalDate& today) {
    std::vector<std::string> dates;
    for (const CivilDate& monday : WeekMondays(history, today)) dates.push_back(IsoDate(monday));
    return dates;
}

TEST(WeekDates, DayNumbersAgreeWithTheClockAndRoundTrip) {
    for (long long day = -800000; day <= 800000; day += 997) {
        SCOPED_TRACE(day);
        const CivilDate date = CivilDateOfDayNumber(day);
        EXPECT_EQ(DayNumberOf(date), day);
        const LocalDate local = DateOf(date.year, date.month, date.day);
        EXPECT_EQ(CivilDateOf(local), date);
        EXPECT_EQ(((day % 7) + 7 + 4) % 7, local.weekday);
    }
    EXPECT_EQ(DayNumberOf({1970, 1, 1}), 0);
    EXPECT_EQ(AddDays({2024, 2, 28}, 1), (CivilDate{2024, 2, 29}));
    EXPECT_EQ(AddDays({2023, 2, 28}, 1), (CivilDate{2023, 3, 1}));
    EXPECT_EQ(AddDays({2024, 12, 31}, 1), (CivilDate{2025, 1, 1}));
    EXPECT_EQ(AddDays({2000, 3, 1}, -1), (CivilDate{2000, 2, 29}));
}

TEST(WeekDates, MondaysAroundYearChanges) {
    struct Row {
        const char* name;
        LocalDate today;
        std::vector<WholeNumber> numbers;
        std::vector<std::string> mondays;
    };
    const Row rows[] = {
        {"within the current year",
         DateOf(2024, 3, 13),
         {50, 57, 64, 71},
         {"2024-02-19", "2024-02-26", "2024-03-04", "2024-03-11"}},
        {"into a leap year",
         DateOf(2024, 1, 10),
         {352, 359, 1, 8},
         {"2023-12-18", "2023-12-25", "2024-01-01", "2024-01-08"}},
        {"negative number opened in January",
         DateOf(2025, 1, 8),
         {351, 358, -1, 6},
         {"2024-12-16", "2024-12-23", "2024-12-30", "2025-01-06"}},
        {"365 recorded before the year change",
         DateOf(2025, 1, 8),
         {358, 365, 6},
         {"2024-12-23", "2024-12-30", "2025-01-06"}},
        {"366 on the last day of a leap year",
         DateOf(2013, 1, 9),
         {359, 366, 7},
         {"2012-12-24", "2012-12-31", "2013-01-07"}},
        {"number 0 is the last day of the previous year",
         DateOf(2019, 1, 2),
         {351, 358, 0},
         {"2018-12-17", "2018-12-24", "2018-12-31"}},
        {"two year changes",
         DateOf(2025, 1, 8),
         {359, 1, 358, -1, 6},
         {"2023-12-25", "2024-01-01", "2024-12-23", "2024-12-30", "2025-01-06"}},
        {"equal numbers stay in one year",
         DateOf(2024, 1, 10),
         {8, 8},
         {"2024-01-08", "2024-01-08"}},
        {"single week", DateOf(2024, 1, 10), {8}, {"2024-01-08"}},
        {"empty history", DateOf(2024, 1, 10), {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IsoMondays(HistoryOf(row.numbers), row.today), row.mondays);
        std::vector<std::string> fromDays;
        for (long long day : WeekMondayDays(HistoryOf(row.numbers), row.today))
            fromDays.push_back(IsoDate(CivilDateOfDayNumber(day)));
        EXPECT_EQ(fromDays, row.mondays) << "the day numbers name the same Mondays";
    }
}

TEST(WeekDates, DamagedNumbersGiveBoundedDates) {
    const WholeNumber lowest = std::numeric_limits<WholeNumber>::min();
    const WholeNumber highest = std::numeric_limits<WholeNumber>::max();
    const std::vector<TrainingWeek> history = HistoryOf({highest, lowest, highest, lowest, 0});
    const std::vector<CivilDate> mondays = WeekMondays(history, DateOf(2024, 1, 10));
    ASSERT_EQ(mondays.size(), 5u);
    for (const CivilDate& monday : mondays) {
        SCOPED_TRACE(IsoDate(monday));
        EXPECT_GT(monday.year, -20000);
        EXPECT_LT(monday.year, 20000);
        EXPECT_EQ(CivilDateOfDayNumber(DayNumberOf(monday)), monday);
    }
    EXPECT_EQ(IsoDate(mondays[4]), "2023-12-31");
}

TEST(WeekDates, TheNewestWeekLiesWhereTheEvidenceDayPutsIt) {
    struct Row {
        const char* name;
        WholeNumber number;
        LocalDate evidence;
        const char* monday;
        bool onMonday;
    };
    const Row rows[] = {
        {"a Monday of the evidence day's year", 358, DateOf(2024, 12, 23), "2024-12-23", true},
        {"365 seen in January", 365, DateOf(2025, 1, 2), "2024-12-30", true},
        {"April of the year before", 100, DateOf(2024, 1, 22), "2023-04-10", true},
        {"-5 seen on the Sunday it was given", -5, DateOf(2023, 1, 1), "2022-12-26", true},
        {"366 of a leap year", 366, DateOf(2013, 1, 2), "2012-12-31", true},
        {"recorded on the evidence day's Monday, seen on Sunday", 8, DateOf(2024, 1, 14),
         "2024-01-08", true},
        {"no Monday this April: not last year's either", 100, DateOf(2024, 4, 29), "2024-04-09",
         false},
        {"a step of the catch-up into this week stays in its year", 121, DateOf(2024, 4, 29),
         "2024-04-30", false},
        {"above the evidence day and no Monday last year", 200, DateOf(2024, 1, 22), "2024-07-18",
         false},
        {"a Monday after the evidence day is not taken", 127, DateOf(2024, 4, 29), "2024-05-06",
         false},
        {"0 on a Sunday", 0, DateOf(2024, 1, 10), "2023-12-31", false},
        {"1000 is no week number", 1000, DateOf(2024, 1, 10), "2026-09-26", false},
        {"367 is none either, though 2 January 2023 was a Monday", 367, DateOf(2023, 1, 5),
         "2024-01-02", false},
        {"largest 32-bit number, bounded", 2147483647, DateOf(2024, 1, 10), "+12044-09-26", false},
        {"smallest 32-bit number, bounded", -2147483647 - 1, DateOf(2024, 1, 10), "-7997-04-05",
         false},
        {"an evidence day ten thousand years away, bounded", 8, DateOf(2000000, 1, 1),
         "+11990-01-08", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const NewestWeekPlace place = PlaceNewestWeek(row.number, row.evidence);
        const CivilDate monday = CivilDateOfDayNumber(place.monday);
        EXPECT_EQ(IsoDate(monday), row.monday);
        EXPECT_EQ(place.onMonday, row.onMonday);
        const WholeNumber bounded = std::clamp<WholeNumber>(row.number, -3660000, 3660000);
        EXPECT_EQ(place.year, CivilDateOfDayNumber(place.monday - bounded + 1).year)
            << "the number counts from 1 January of that year";
        // WeekMondays starts from the same place.
        const std::vector<CivilDate> mondays = WeekMondays(HistoryOf({row.number}), row.evidence);
        ASSERT_EQ(mondays.size(), 1u);
        EXPECT_EQ(IsoDate(mondays[0]), row.monday);
    }
}

TEST(WeekDates, DateTexts) {
    struct Row {
        CivilDate date;
        const char* iso;
        const char* compact;
    };
    const Row rows[] = {
        {{2024, 1, 8}, "2024-01-08", "20240108"},   {{5, 3, 9}, "0005-03-09", "00050309"},
        {{9999, 12, 31}, "9999-12-31", "99991231"}, {{-1, 12, 31}, "-0001-12-31", nullptr},
        {{10000, 1, 1}, "+10000-01-01", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.iso);
        EXPECT_EQ(IsoDate(row.date), row.iso);
        if (row.compact) {
            EXPECT_EQ(CompactDate(row.date), row.compact);
        }
    }
}

}  // namespace
