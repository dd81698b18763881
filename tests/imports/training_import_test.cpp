// SPDX-License-Identifier: GPL-3.0-or-later
// The import into a document: Velmora's own CSV through export, import into a fresh history
// and export again (the same bytes, in English and German); the same file twice; dates across
// a year change and a gap of years, as the exports show them; the catalogue's new units; and
// what cannot be placed.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "calendar/week_calendar.h"
#include "calendar/week_dates.h"
#include "config/configuration.h"
#include "data/day_entries.h"
#include "imports/csv_source.h"
#include "imports/training_import.h"
#include "platform/clock.h"
#include "platform/unicode.h"
#include "reports/exports.h"
#include "test_support.h"

namespace {

TextTable TextsOf(const char* language) {
    TextTable texts = BuildTextTable();
    if (language != nullptr)
        ApplyLanguageFile(texts, Utf8ToUtf16(std::string(VELMORA_DEFAULT_DIR "/lang/") + language));
    return texts;
}

VelmoraHeader HeaderOf(const TextTable& texts) {
    VelmoraHeader header;
    for (std::size_t column = 0; column < 8; ++column)
        header[column] = LookupText(texts, u"Report", CsvColumnKeys[column]);
    return header;
}

const std::vector<VelmoraHeader> Headers = {HeaderOf(TextsOf("English.txt")),
                                            HeaderOf(TextsOf(nullptr))};

ImportChanges Import(Document& document, const std::string& bytes) {
    const TrainingFile file = ReadTrainingRows(BytesOf(bytes), Headers);
    EXPECT_EQ(file.outcome, TrainingFile::Outcome::Read);
    return ApplyTrainingImport(document, file, Today());
}

// A document as a first start on the fixed day makes it: the current week, nothing else.
Document FreshDocument() {
    Document document;
    document.history.push_back({CurrentWeekNumber(), {}});
    document.lastWeekEvidence = Today();
    return document;
}

std::string Csv(const Document& document, const TextTable& texts) {
    return TrainingCsv(document.history, texts, Today(), document.lastWeekEvidence);
}

class TrainingImport : public ::testing::Test {
  protected:
    TrainingImport() {
        SetClock([] { return DateOf(2024, 1, 10); });  // a Wednesday, week 8
    }
    ~TrainingImport() override { SetClock({}); }
};

TEST_F(TrainingImport, VelmorasOwnCsvComesBackAsItWasExported) {
    // Old weeks from an import (years apart), then a run of weeks across the new year whose
    // entries hold everything the CSV must quote or guard.
    Document original = FreshDocument();
    Import(original,
           "Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,"
           "Notes,Workout Notes,RPE\n"
           "2019-03-05 18:00:00,A,1h,Squat,1,100,5,0,0,,,\n"
           "2021-11-30 18:00:00,A,1h,Squat,1,105,5,0,0,,,\n"
           "2023-12-19 18:00:00,A,1h,Squat,1,110,5,0,0,,,\n"
           "2023-12-26 18:00:00,A,1h,Squat,1,110,5,0,0,,,\n"
           "2024-01-02 18:00:00,A,1h,Squat,1,110,5,0,0,,,\n");
    const std::size_t last = original.history.size() - 1;
    original.history[last - 2].days[0] = u"Plank|3|60|hold\\Push-ups, wide|3|15|\"slow\" down";
    original.history[last - 2].days[6] =
        u"=1+1|1|1|-5 kg\\ padded |1|2| both \\Same|1|1|x\\Same|1|1|x";
    original.history[last - 1].days[1] = u"Run|-1|0|\\|0|0|\\L\u00E4ufe|2|3|\u00FCber\tTab; more";
    original.history[last - 1].days[3] = u"'=x|1|1|'quoted\\+49|1|1|@home\\\U0001F3C3|5|5|\u00E9";
    original.history[last].days[2] = u"Walk|1|30|";
    ASSERT_EQ(original.history[last - 1].weekNumber, 1) << "the week of 1 January 2024";

    for (const char* language : {"English.txt", "Deutsch.txt"}) {
        SCOPED_TRACE(language);
        const TextTable texts = TextsOf(language);
        const std::string exported = Csv(original, texts);
        Document fresh = FreshDocument();
        const ImportChanges changes = Import(fresh, exported);
        EXPECT_EQ(changes.skipped.count, 0);
        EXPECT_EQ(changes.entriesAdded, std::count(exported.begin(), exported.end(), '\n') - 1);
        EXPECT_EQ(Csv(fresh, texts), exported);
        // The same dates in the calendar file too.
        EXPECT_EQ(TrainingIcs(fresh.history, texts, Today(), fresh.lastWeekEvidence),
                  TrainingIcs(original.history, texts, Today(), original.lastWeekEvidence));
    }
}

TEST_F(TrainingImport, TheSameFileTwiceChangesNothing) {
    const std::string strong =
        "Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,Notes,"
        "Workout Notes,RPE\n"
        "2024-01-08 18:00:00,A,1h,Bench,1,80,10,0,0,,,\n"
        "2024-01-08 18:00:00,A,1h,Bench,2,80,8,0,0,,,\n"
        "2023-12-27 18:00:00,A,1h,Row,1,60,12,0,0,,,\n";
    Document document = FreshDocument();
    document.history[0].days[0] = u"Walk|1|30|";
    const ImportChanges first = Import(document, strong);
    EXPECT_EQ(first.entriesAdded, 2);
    EXPECT_EQ(first.days.size(), 2u);
    ASSERT_EQ(first.weeks.size(), 1u);
    EXPECT_EQ(first.weeks[0].position, 0);
    EXPECT_EQ(first.weeks[0].number, 359);
    EXPECT_EQ(document.history[1].days[0], u"Walk|1|30|\\Bench|2|10|80; 10/8");

    const std::string before = Csv(document, TextsOf(nullptr));
    const ImportChanges second = Import(document, strong);
    EXPECT_EQ(second.entriesAdded, 0);
    EXPECT_EQ(second.entriesPresent, 2);
    EXPECT_TRUE(second.days.empty());
    EXPECT_TRUE(second.weeks.empty());
    EXPECT_EQ(second.unitsAdded, 0);
    EXPECT_EQ(Csv(document, TextsOf(nullptr)), before);
    EXPECT_EQ(document.history.size(), 2u);

    // A day text loses the blanks at its ends: they make no entry different.
    const std::string padded =
        "Week,Monday of the week,Date,Weekday,Unit,Count 1,Count 2,Description\r\n"
        "8,2024-01-08,2024-01-10,Wednesday, padded ,1,1, x \r\n";
    EXPECT_EQ(Import(document, padded).entriesAdded, 1);
    EXPECT_EQ(document.history[1].days[2], u" padded |1|1| x ");
    const ImportChanges third = Import(document, padded);
    EXPECT_EQ(third.entriesAdded, 0);
    EXPECT_EQ(third.entriesPresent, 1);
}

TEST_F(TrainingImport, DatesAcrossAYearChangeAndAGapOfYearsKeepTheirDays) {
    const std::vector<std::string> days = {"1998-06-16", "2019-12-30", "2019-12-31",
                                           "2020-01-01", "2021-01-03", "2021-01-04",
                                           "2023-12-31", "2024-01-01", "2024-01-09"};
    std::string csv =
        "Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,Notes,"
        "Workout Notes,RPE\n";
    for (const std::string& day : days) csv += day + " 07:00:00,A,1h,Row,1,0,12,0,0,,,\n";
    Document document = FreshDocument();
    const ImportChanges changes = Import(document, csv);
    EXPECT_EQ(changes.entriesAdded, WholeNumber(days.size()));
    EXPECT_LE(changes.weeks.size(), days.size() + 26) << "about one empty week a year between";
    // Every entry stands in the export on the day it was done, read by the one date rule.
    const std::string exported = Csv(document, TextsOf(nullptr));
    for (const std::string& day : days)
        EXPECT_NE(exported.find("," + day + ","), std::string::npos) << day << "\n" << exported;
    const std::vector<CivilDate> mondays =
        WeekMondays(document.history, EvidenceDay(document.lastWeekEvidence, Today()));
    EXPECT_EQ(mondays.front(), (CivilDate{1998, 6, 15}));
    EXPECT_EQ(mondays.back(), (CivilDate{2024, 1, 8}));
    EXPECT_TRUE(std::is_sorted(
        mondays.begin(), mondays.end(),
        [](const CivilDate& a, const CivilDate& b) { return DayNumberOf(a) < DayNumberOf(b); }));
}

TEST_F(TrainingImport, UnitsTheCatalogueLacksAreAppendedWithTheirLatestCounts) {
    Document document = FreshDocument();
    document.catalogue.push_back({u"  Bench  ", 1, 1, u"mine"});
    const ImportChanges changes =
        Import(document,
               "Week,Monday of the week,Date,Weekday,Unit,Count 1,Count 2,Description\r\n"
               "1,2024-01-01,2024-01-03,Wednesday,Squat,5,5,heavy\r\n"
               "1,2024-01-01,2024-01-01,Monday,Squat,3,8,light\r\n"
               "1,2024-01-01,2024-01-02,Tuesday,Bench,4,6,\r\n"
               "8,2024-01-08,2024-01-08,Monday,Plank,2,60,\r\n");
    EXPECT_EQ(changes.unitsAdded, 2);
    ASSERT_EQ(document.catalogue.size(), 3u);
    EXPECT_EQ(document.catalogue[0].Name(), u"  Bench  ");
    EXPECT_EQ(document.catalogue[1].Name(), u"Squat");
    EXPECT_EQ(document.catalogue[1].count1, 5) << "the latest Squat, 3 January";
    EXPECT_EQ(document.catalogue[1].count2, 5);
    EXPECT_EQ(document.catalogue[1].Description(), u"");
    EXPECT_EQ(document.catalogue[2].Name(), u"Plank");
}

TEST_F(TrainingImport, WhatCannotBePlacedIsSkippedAndBlankDaysLoseTheirBlanks) {
    Document document = FreshDocument();
    document.history[0].days[1] = u"   ";
    const ImportChanges changes =
        Import(document,
               "Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,"
               "Notes,Workout Notes,RPE\n"
               "2024-01-09 07:00:00,A,1h,Row,1,0,12,0,0,,,\n"
               "2024-01-15 07:00:00,A,1h,Row,1,0,12,0,0,,,\n"
               "2024-01-15 07:00:00,A,1h,Row,2,0,12,0,0,,,\n"
               "bad,A,1h,Row,2,0,12,0,0,,,\n");
    EXPECT_EQ(document.history[0].days[1], u"Row|1|12|");
    EXPECT_EQ(changes.skipped.count, 3) << "both sets of next week, and the bad row";
    EXPECT_EQ(changes.skipped.firstLine, 3);
    EXPECT_EQ(changes.skipped.firstReason, SkipReason::Later);

    // Out of date order the history gets no week; its own weeks still take their entries.
    Document damaged;
    damaged.history = {{400, {}}, {8, {}}};
    damaged.lastWeekEvidence = Today();
    const ImportChanges refused =
        Import(damaged,
               "Week,Monday of the week,Date,Weekday,Unit,Count 1,Count 2,Description\r\n"
               "8,2024-01-08,2024-01-08,Monday,Plank,2,60,\r\n"
               "1,2023-06-05,2023-06-05,Monday,Plank,2,60,\r\n");
    EXPECT_EQ(refused.entriesAdded, 1);
    EXPECT_EQ(damaged.history.size(), 2u);
    EXPECT_EQ(refused.skipped.firstReason, SkipReason::NoWeek);
    EXPECT_EQ(refused.skipped.firstLine, 3);
}

}  // namespace
