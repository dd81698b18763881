// The dates of history weeks: civil-date arithmetic against the clock's DateOf, every
// week's Monday around year changes (leap years, negative numbers, 366, damaged numbers)
// and the date texts of the exports.
#include "calendar/week_dates.h"

#include <gtest/gtest.h>

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
