// SPDX-License-Identifier: GPL-3.0-or-later
// Week numbers on fixed dates, today's day, the calendar arithmetic of DateOf, and the
// catch-up of a history: steps of seven, the year change and damaged numbers, and the weeks
// and Mondays that the day the history file last changed gives.
#include "calendar/week_calendar.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "calendar/week_dates.h"
#include "data/data_fixture.h"
#include "platform/clock.h"

namespace {

using CalendarTest = test::DataTest;

std::vector<TrainingWeek> HistoryOf(std::initializer_list<WholeNumber> numbers) {
    std::vector<TrainingWeek> history;
    for (WholeNumber number : numbers) {
        TrainingWeek week;
        week.weekNumber = number;
        history.push_back(week);
    }
    return history;
}

std::vector<WholeNumber> NumbersOf(const std::vector<TrainingWeek>& history) {
    std::vector<WholeNumber> numbers;
    for (const TrainingWeek& week : history) numbers.push_back(week.weekNumber);
    return numbers;
}

// first, first + 7, ... up to last, after the numbers already in `numbers`.
std::vector<WholeNumber> Steps(std::vector<WholeNumber> numbers, WholeNumber first,
                               WholeNumber last) {
    for (WholeNumber number = first; number <= last; number += 7) numbers.push_back(number);
    return numbers;
}

// `count` dates 7 days apart from `first`, as ISO texts.
std::vector<std::string> Weekly(CivilDate first, int count) {
    std::vector<std::string> dates;
    for (int week = 0; week < count; ++week) dates.push_back(IsoDate(AddDays(first, 7 * week)));
    return dates;
}

std::vector<std::string> IsoDates(const std::vector<CivilDate>& dates) {
    std::vector<std::string> texts;
    for (const CivilDate& date : dates) texts.push_back(IsoDate(date));
    return texts;
}

// The system clock's conversion of moments past January 2038, in every build: a 32-bit time
// would wrap to 1901 and give another weekday and week.
TEST(LocalDateAt, MomentsPastTheYear2038) {
    struct Row {
        const char* name;
        std::int64_t seconds;  // noon UTC
        int year, dayOfYear, weekday;
        WholeNumber week;
        WholeNumber dayIndex;
    };
    const Row rows[] = {
        {"Tuesday 1 June 2038", 2159006400, 2038, 152, 2, 151, 1},
        {"Monday 1 March 2100", 4107585600, 2100, 60, 1, 60, 0},
    };
    const char* zone = std::getenv("TZ");
    const std::string savedZone = zone ? zone : "";
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const LocalDate date = LocalDateAt(row.seconds);
        EXPECT_EQ(date.year, row.year);
        EXPECT_EQ(date.dayOfYear, row.dayOfYear);
        EXPECT_EQ(date.weekday, row.weekday);
        SetClock([date] { return date; });
        EXPECT_EQ(CurrentWeekNumber(), row.week);
        EXPECT_EQ(TodayDayIndex(), row.dayIndex);
    }
    SetClock({});
    if (zone) {
        ::setenv("TZ", savedZone.c_str(), 1);
    } else {
        ::unsetenv("TZ");
    }
    ::tzset();
}

TEST(DateOf, KnownDates) {
    struct Row {
        const char* name;
        int year, month, day;
        int dayOfYear, weekday;
    };
    const Row rows[] = {
        {"epoch", 1970, 1, 1, 1, 4},
        {"leap day", 2024, 2, 29, 60, 4},
        {"last day of a leap year", 2024, 12, 31, 366, 2},
        {"last day of a common year", 2023, 12, 31, 365, 0},
        {"century not leap", 1900, 3, 1, 60, 4},
        {"400-year leap", 2000, 12, 31, 366, 0},
        {"before the epoch", 1969, 12, 31, 365, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LocalDate date = DateOf(row.year, row.month, row.day);
        EXPECT_EQ(date.year, row.year);
        EXPECT_EQ(date.dayOfYear, row.dayOfYear);
        EXPECT_EQ(date.weekday, row.weekday);
    }
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2023));
}

TEST_F(CalendarTest, WeekNumbersOfTheWorkedTable) {
    struct Row {
        const char* name;
        int year, month, day;
        WholeNumber week;
        WholeNumber dayIndex;
        const char16_t* dayKey;
    };
    const Row rows[] = {
        {"Monday 1 January 2024", 2024, 1, 1, 1, 0, u"Monday"},
        {"Sunday 7 January 2024", 2024, 1, 7, 1, 6, u"Sunday"},
        {"Wednesday 10 January 2024", 2024, 1, 10, 8, 2, u"Wednesday"},
        {"Monday 30 December 2024", 2024, 12, 30, 365, 0, u"Monday"},
        {"Tuesday 31 December 2024", 2024, 12, 31, 365, 1, u"Tuesday"},
        {"Sunday 1 January 2023", 2023, 1, 1, -5, 6, u"Sunday"},
        {"Sunday 3 January 2021", 2021, 1, 3, -3, 6, u"Sunday"},
        {"Monday 31 December 2012 (leap)", 2012, 12, 31, 366, 0, u"Monday"},
        {"Saturday 6 January 2024", 2024, 1, 6, 1, 5, u"Saturday"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetToday(row.year, row.month, row.day);
        EXPECT_EQ(CurrentWeekNumber(), row.week);
        EXPECT_EQ(TodayDayIndex(), row.dayIndex);
        EXPECT_EQ(TodayDayKey(), row.dayKey);
    }
}

TEST_F(CalendarTest, ClockFallsBackToTheSystem) {
    SetToday(2000, 1, 1);
    EXPECT_EQ(Today().year, 2000);
    SetClock({});
    LocalDate system = SystemToday();
    EXPECT_EQ(Today().year, system.year);
    EXPECT_GE(system.year, 2024);
}

TEST_F(CalendarTest, CatchUp) {
    struct Row {
        const char* name;
        int year, month, day;
        std::vector<WholeNumber> stored;
        std::vector<WholeNumber> expected;
    };
    const Row rows[] = {
        // 29 April 2024 is a Monday, day 120.
        {"not 7 apart", 2024, 4, 29, {100}, {100, 107, 114, 121}},
        {"equal appends nothing", 2024, 4, 29, {120}, {120}},
        {"above appends nothing", 2024, 4, 29, {93, 127}, {93, 127}},
        {"from 1 in January", 2024, 1, 22, {1}, {1, 8, 15, 22}},
        {"only the last week counts", 2024, 1, 22, {300, 15}, {300, 15, 22}},
        {"year change", 2025, 1, 13, {351, 358}, {351, 358, -1, 6, 13}},
        {"year change from a common year", 2024, 1, 8, {359}, {359, 1, 8}},
        {"year change right after New Year", 2025, 1, 6, {365}, {365, 6}},
        {"leap Monday 31 December", 2024, 12, 30, {358}, {358, 365}},
        {"within half a year above stays", 2024, 1, 22, {200}, {200}},
        {"damaged number far below", 2024, 4, 29, {-100000}, {-100000, 120}},
        {"371 below still steps", 2024, 12, 30, {-6}, {-6,  1,   8,   15,  22,  29,  36,  43,
                                                       50,  57,  64,  71,  78,  85,  92,  99,
                                                       106, 113, 120, 127, 134, 141, 148, 155,
                                                       162, 169, 176, 183, 190, 197, 204, 211,
                                                       218, 225, 232, 239, 246, 253, 260, 267,
                                                       274, 281, 288, 295, 302, 309, 316, 323,
                                                       330, 337, 344, 351, 358, 365}},
        {"372 below is damaged", 2024, 12, 30, {-7}, {-7, 365}},
        {"smallest number",
         2024,
         4,
         29,
         {std::numeric_limits<WholeNumber>::min()},
         {std::numeric_limits<WholeNumber>::min(), 120}},
        {"largest number",
         2024,
         4,
         29,
         {std::numeric_limits<WholeNumber>::max()},
         {std::numeric_limits<WholeNumber>::max()}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetToday(row.year, row.month, row.day);
        std::vector<TrainingWeek> history;
        for (WholeNumber number : row.stored) {
            history.push_back({});
            history.back().weekNumber = number;
        }
        AdvanceToCurrentWeek(history, true);
        EXPECT_EQ(NumbersOf(history), row.expected);
    }
}

TEST_F(CalendarTest, NothingReadStartsWithTheCurrentWeek) {
    SetToday(2024, 1, 10);
    std::vector<TrainingWeek> history = HistoryOf({});
    AdvanceToCurrentWeek(history, true);
    EXPECT_EQ(NumbersOf(history), std::vector<WholeNumber>{8});
    history = HistoryOf({});
    AdvanceToCurrentWeek(history, false);
    EXPECT_EQ(NumbersOf(history), std::vector<WholeNumber>{8});
}

TEST_F(CalendarTest, YearChangeOnLoadEndsOnTheCurrentWeek) {
    SetToday(2025, 1, 13);
    AddWeek(doc.history, 358);
    doc.history.back().days[0] = u"kept";
    ASSERT_TRUE(Kept(SaveWeekHistory(doc)));
    doc.history.clear();
    ASSERT_TRUE(LoadHistory());
    ASSERT_EQ(doc.history.size(), 4u);
    EXPECT_EQ(doc.history[0].days[0], u"kept");
    EXPECT_EQ(doc.history.back().weekNumber, 13);
}

// The date rule from end to end: a history file whose time says when it last changed, loaded
// and caught up on a later day, then dated as the exports date it; a second start on the same
// day after a save must find nothing to add and the same dates. Rows without a file day read
// the history as if its time were unknown.
TEST_F(CalendarTest, FileTimeGivesTheWeeksAndTheirMondays) {
    struct Row {
        const char* name;
        std::optional<CivilDate> fileDay;
        std::vector<WholeNumber> stored;
        CivilDate today;
        std::vector<WholeNumber> numbers;  // after the catch-up
        std::vector<std::string> mondays;  // of every week, as the exports date them
    };
    const Row rows[] = {
        {"export on 2 January of weeks trained in December",
         CivilDate{2024, 12, 30},
         {358, 365},
         {2025, 1, 2},
         {358, 365},
         {"2024-12-23", "2024-12-30"}},
        {"365 saved on Monday 30 December, opened on Monday 6 January",
         CivilDate{2024, 12, 30},
         {358, 365},
         {2025, 1, 6},
         {358, 365, 6},
         {"2024-12-23", "2024-12-30", "2025-01-06"}},
        {"saved in April, opened nine months later in January",
         CivilDate{2023, 4, 10},
         {100},
         {2024, 1, 22},
         Steps(Steps({}, 100, 359), 1, 22),
         Weekly({2023, 4, 10}, 42)},
        {"a break of exactly one year",
         CivilDate{2023, 4, 10},
         {100},
         {2024, 4, 10},
         Steps(Steps({}, 100, 359), 1, 99),
         Weekly({2023, 4, 10}, 53)},
        {"a break of two years",
         CivilDate{2022, 4, 11},
         {101},
         {2024, 4, 10},
         Steps(Steps(Steps({}, 101, 360), 2, 359), 1, 99),
         Weekly({2022, 4, 11}, 105)},
        {"the week of New Year counts in the year of its Thursday once it has passed",
         CivilDate{2023, 12, 25},
         {359},
         {2025, 1, 8},
         Steps(Steps(Steps({359}, 1, 358), -1, -1), 6, 6),
         Weekly({2023, 12, 25}, 55)},
        {"366 on the last day of a leap year",
         CivilDate{2012, 12, 31},
         {359, 366},
         {2013, 1, 9},
         {359, 366, 7},
         {"2012-12-24", "2012-12-31", "2013-01-07"}},
        {"across 29 February",
         CivilDate{2024, 2, 19},
         {50},
         {2024, 3, 13},
         {50, 57, 64, 71},
         Weekly({2024, 2, 19}, 4)},
        {"recorded on 1 January as -1",
         CivilDate{2025, 1, 1},
         {-1},
         {2025, 1, 13},
         {-1, 6, 13},
         Weekly({2024, 12, 30}, 3)},
        {"saved on a Sunday, opened the next Monday",
         CivilDate{2024, 1, 14},
         {1, 8},
         {2024, 1, 15},
         {1, 8, 15},
         Weekly({2024, 1, 1}, 3)},
        {"file time unknown",
         std::nullopt,
         {352, 359, 1, 8},
         {2024, 1, 10},
         {352, 359, 1, 8},
         Weekly({2023, 12, 18}, 4)},
        {"file time unknown, a break within the year",
         std::nullopt,
         {1},
         {2024, 1, 22},
         {1, 8, 15, 22},
         Weekly({2024, 1, 1}, 4)},
        {"file time in the future counts as today",
         CivilDate{2030, 6, 3},
         {352, 359, 1, 8},
         {2024, 1, 10},
         {352, 359, 1, 8},
         Weekly({2023, 12, 18}, 4)},
        {"the zero time of an archive counts as unknown (363 is a Monday of 1969 too)",
         CivilDate{1970, 1, 1},
         {356, 363},
         {2026, 1, 7},
         {356, 363, 5},
         Weekly({2025, 12, 22}, 3)},
        {"a number that names no Monday steps on in its year",
         CivilDate{2024, 4, 9},
         {100},
         {2024, 4, 29},
         {100, 107, 114, 121},
         {"2024-04-09", "2024-04-16", "2024-04-23", "2024-04-30"}},
        {"1000 is no week number: counted in the file's year, nothing follows it",
         CivilDate{2024, 1, 10},
         {1000},
         {2024, 1, 10},
         {1000},
         {"2026-09-26"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetToday(row.today.year, row.today.month, row.today.day);
        doc = Document{};
        for (WholeNumber number : row.stored) AddWeek(doc.history, number);
        // A first start on `today`, then a second one the same day after a save.
        for (int start = 1; start <= 2; ++start) {
            SCOPED_TRACE(start == 1 ? "first start" : "second start");
            if (row.fileDay || start == 2) {
                ASSERT_TRUE(Kept(SaveWeekHistory(doc)));
                const CivilDate day = start == 1 ? *row.fileDay : row.today;
                ASSERT_TRUE(test::SetFileDay(HistoryFilePath, day.year, day.month, day.day));
                ASSERT_TRUE(LoadHistory());
            } else {
                doc.lastWeekEvidence = AdvanceToCurrentWeek(doc.history, true);
            }
            EXPECT_EQ(NumbersOf(doc.history), row.numbers);
            EXPECT_EQ(
                IsoDates(WeekMondays(doc.history, EvidenceDay(doc.lastWeekEvidence, Today()))),
                row.mondays);
        }
    }
}

}  // namespace
