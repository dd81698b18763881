// SPDX-License-Identifier: GPL-3.0-or-later
// What the import reads from a file: the header variants of the three programs (and rows that
// are none of them), the broken rows it skips with their reasons, the values of dates and
// numbers, and the entries that a day's sets of one exercise become.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imports/csv_source.h"
#include "imports/import_values.h"
#include "imports/set_groups.h"
#include "imports/training_file.h"
#include "platform/clock.h"
#include "test_support.h"

namespace {

const VelmoraHeader EnglishHeader = {
    u"Week",    u"Monday of the week", u"Date", u"Weekday", u"Unit", u"Count 1",
    u"Count 2", u"Description"};
const VelmoraHeader GermanHeader = {u"Woche",   u"Montag der Woche", u"Datum",    u"Wochentag",
                                    u"Einheit", u"Anzahl 1",         u"Anzahl 2", u"Beschreibung"};

constexpr char StrongHeader[] =
    "Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,Notes,"
    "Workout Notes,RPE\n";
constexpr char HevyHeader[] =
    "\"title\",\"start_time\",\"end_time\",\"description\",\"exercise_title\",\"superset_id\","
    "\"exercise_notes\",\"set_index\",\"set_type\",\"weight_kg\",\"reps\",\"distance_km\","
    "\"duration_seconds\",\"rpe\"\n";

TrainingFile Read(const std::string& bytes) {
    return ReadTrainingRows(BytesOf(bytes), {EnglishHeader, GermanHeader});
}

ImportColumns HeaderColumns(const std::string& header) {
    CsvReader reader;
    StartCsvReader(reader, BytesOf(header));
    CsvRow row;
    EXPECT_TRUE(NextCsvRow(reader, row));
    return RecognizeHeader(row, {EnglishHeader, GermanHeader});
}

long long Day(int year, int month, int day) {
    return DayNumberOf(CivilDate{year, month, day});
}

TEST(ImportHeaders, EachVariantIsRecognisedWithItsColumnsAndUnits) {
    struct Row {
        const char* name;
        std::string header;
        ImportFormat format;
        int weight = NoColumn;
        std::u16string weightUnit = u"";
        int weightUnitColumn = NoColumn;
        std::u16string distanceUnit = u"";
    };
    const Row rows[] = {
        {"Velmora in English",
         "Week,Monday of the week,Date,Weekday,Unit,Count 1,Count 2,"
         "Description\r\n",
         ImportFormat::Velmora},
        {"Velmora in German, with the mark the export writes",
         "\xEF\xBB\xBFWoche,Montag der Woche,Datum,Wochentag,Einheit,Anzahl 1,Anzahl 2,"
         "Beschreibung\r\n",
         ImportFormat::Velmora},
        {"Velmora quoted, in other letter case",
         "\"WEEK\",\"monday of the week\",\"Date\","
         "\"Weekday\",\"Unit\",\"Count 1\",\"Count 2\","
         "\"Description\"\n",
         ImportFormat::Velmora},
        {"Strong, the comma form", StrongHeader, ImportFormat::Strong, 5},
        {"Strong, the older semicolon form with unit columns",
         "Date;Workout Name;Exercise Name;Set Order;Weight;Weight Unit;Reps;RPE;Distance;"
         "Distance Unit;Seconds;Notes;Workout Notes;Workout Duration\n",
         ImportFormat::Strong, 4, u"", 5},
        {"Strong, units in the column names",
         "Workout #,Date,Workout Name,Duration (sec),Exercise Name,Set Order,Weight (kg),Reps,"
         "Distance (meters),Seconds,Notes,Workout Notes,RPE\n",
         ImportFormat::Strong, 6, u"kg", NoColumn, u"m"},
        {"Strong in pounds and miles",
         "Date,Exercise Name,Set Order,Weight (lbs),Reps,Distance (miles)\n", ImportFormat::Strong,
         3, u"lb", NoColumn, u"mi"},
        {"Hevy in kilograms", HevyHeader, ImportFormat::Hevy, 9, u"kg", NoColumn, u"km"},
        {"Hevy in pounds and miles",
         "title,start_time,end_time,description,exercise_title,superset_id,exercise_notes,"
         "set_index,set_type,weight_lbs,reps,distance_miles,duration_seconds,rpe\n",
         ImportFormat::Hevy, 9, u"lb", NoColumn, u"mi"},
        {"Hevy with tabs", "title\tstart_time\texercise_title\tset_index\treps\n",
         ImportFormat::Hevy},
        {"Velmora with a column missing",
         "Week,Monday of the week,Date,Weekday,Unit,Count 1,Count 2\n", ImportFormat::Unknown},
        {"Velmora in a language not offered",
         "Semaine,Lundi,Date,Jour,Exercice,Nombre 1,Nombre 2,Description\n", ImportFormat::Unknown},
        {"Strong without its set order", "Date,Exercise Name,Weight,Reps\n", ImportFormat::Unknown},
        {"Hevy without its start time", "title,exercise_title,set_index,reps\n",
         ImportFormat::Unknown},
        {"another program's CSV", "Name,Email,Phone\n", ImportFormat::Unknown},
        {"a picture", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), ImportFormat::Unknown},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ImportColumns columns = HeaderColumns(row.header);
        EXPECT_EQ(columns.format, row.format);
        if (row.format == ImportFormat::Unknown || row.format == ImportFormat::Velmora) continue;
        EXPECT_NE(columns.date, NoColumn);
        EXPECT_NE(columns.exercise, NoColumn);
        EXPECT_NE(columns.reps, NoColumn);
        EXPECT_EQ(columns.weight, row.weight);
        EXPECT_EQ(columns.weightUnitName, row.weightUnit);
        EXPECT_EQ(columns.weightUnit, row.weightUnitColumn);
        EXPECT_EQ(columns.distanceUnitName, row.distanceUnit);
        EXPECT_EQ(columns.dayMonthYearDates, row.format == ImportFormat::Hevy);
    }
    EXPECT_EQ(ExpectedHeaders(EnglishHeader),
              u"Velmora: Week, Monday of the week, Date, Weekday, Unit, Count 1, Count 2, "
              u"Description\n"
              u"Strong: Date, Workout Name, Duration, Exercise Name, Set Order, Weight, Reps, "
              u"Distance, Seconds, Notes, Workout Notes, RPE\n"
              u"Hevy: title, start_time, end_time, description, exercise_title, superset_id, "
              u"exercise_notes, set_index, set_type, weight_kg, reps, distance_km, "
              u"duration_seconds, rpe");
}

TEST(ImportRows, BrokenRowsAreSkippedWithTheirReasonAndNeverStored) {
    const std::string velmora =
        "Week,Monday of the week,Date,Weekday,Unit,Count 1,Count 2,Description\r\n";
    const std::string goodVelmora = "8,2024-01-08,2024-01-09,Tuesday,Plank,3,60,hold\r\n";
    const std::string goodStrong = "2024-01-09 18:05:11,Push,41m,Bench,1,80,10,0,0,,,\n";
    const std::string goodHevy =
        "\"Push\",\"9 Jan 2024, 18:05\",\"\",\"\",\"Bench\",,\"\",0,\"normal\",80,10,,,\n";
    struct Row {
        const char* name;
        std::string header;
        std::string broken;
        SkipReason reason;
    };
    const Row rows[] = {
        {"too few columns", velmora, "8,2024-01-08,2024-01-09,Tuesday,Plank,3,60\r\n",
         SkipReason::Columns},
        {"bytes that are no UTF-8", velmora,
         "8,2024-01-08,2024-01-09,Tuesday,\xDC"
         "bung,3,60,x\r\n",
         SkipReason::Encoding},
        {"a NUL inside", velmora, std::string("8,2024-01-08,2024-01-09,Tuesday,P\0,3,60,x\r\n", 43),
         SkipReason::NotText},
        {"a date that does not exist", velmora, "8,2024-01-08,2024-02-30,Friday,Plank,3,60,x\r\n",
         SkipReason::Date},
        {"a date in another form", velmora, "8,2024-01-08,09.01.2024,Tuesday,Plank,3,60,x\r\n",
         SkipReason::Date},
        {"a count with a fraction", velmora, "8,2024-01-08,2024-01-09,Tuesday,Plank,3.5,60,x\r\n",
         SkipReason::Number},
        {"a count beyond any whole number", velmora,
         "8,2024-01-08,2024-01-09,Tuesday,Plank,99999999999999999999,60,x\r\n", SkipReason::Number},
        {"a name holding |", velmora, "8,2024-01-08,2024-01-09,Tuesday,A|B,3,60,x\r\n",
         SkipReason::Separator},
        {"a description holding a backslash", velmora,
         "8,2024-01-08,2024-01-09,Tuesday,Plank,3,60,a\\b\r\n", SkipReason::Separator},
        {"a description holding a line break", velmora,
         "8,2024-01-08,2024-01-09,Tuesday,Plank,3,60,\"two\nlines\"\r\n",
         SkipReason::ControlCharacter},
        {"a row past the reader's limit", velmora,
         "8,2024-01-08,2024-01-09,Tuesday,Plank,3,60," + std::string(MostCsvRowUnits, 'x') + "\r\n",
         SkipReason::TooLong},
        {"Strong: an hour that is no day", StrongHeader, "18:05:11,Push,41m,Bench,1,80,10,0,0,,,\n",
         SkipReason::Date},
        {"Strong: reps in words", StrongHeader,
         "2024-01-09 18:05:11,Push,41m,Bench,1,80,ten,0,0,,,\n", SkipReason::Number},
        {"Strong: a weight with two points", StrongHeader,
         "2024-01-09 18:05:11,Push,41m,Bench,1,8.0.5,10,0,0,,,\n", SkipReason::Number},
        {"Strong: reps with a fraction", StrongHeader,
         "2024-01-09 18:05:11,Push,41m,Bench,1,80,7.5,0,0,,,\n", SkipReason::Number},
        {"Strong: no exercise name", StrongHeader,
         "2024-01-09 18:05:11,Push,41m, ,1,80,10,0,0,,,\n", SkipReason::Name},
        {"Strong: a note holding a CR", StrongHeader,
         "2024-01-09 18:05:11,Push,41m,Bench,1,80,10,0,0,\"a\rb\",,\n",
         SkipReason::ControlCharacter},
        {"Hevy: a month that is not English", HevyHeader,
         "\"Push\",\"9 Jan. 2024, 18:05\",\"\",\"\",\"Bench\",,\"\",0,\"normal\",80,10,,,\n",
         SkipReason::Date},
        {"Hevy: an exercise holding a backslash", HevyHeader,
         "\"Push\",\"9 Jan 2024, 18:05\",\"\",\"\",\"Ben\\ch\",,\"\",0,\"normal\",80,10,,,\n",
         SkipReason::Separator},
        {"Hevy: an RPE that is no number", HevyHeader,
         "\"Push\",\"9 Jan 2024, 18:05\",\"\",\"\",\"Bench\",,\"\",0,\"normal\",80,10,,,hard\n",
         SkipReason::Number},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const bool strong = row.header == StrongHeader;
        const bool hevy = row.header == HevyHeader;
        const std::string& good = strong ? goodStrong : hevy ? goodHevy : goodVelmora;
        const TrainingFile file = Read(row.header + good + row.broken + good);
        ASSERT_EQ(file.outcome, TrainingFile::Outcome::Read);
        EXPECT_EQ(file.skipped.count, 1);
        EXPECT_EQ(file.skipped.firstLine, 3);
        EXPECT_EQ(file.skipped.firstReason, row.reason);
        // The good rows around it: two entries of Velmora's, or two sets of one entry.
        ASSERT_EQ(file.entries.size(), strong || hevy ? 1u : 2u);
        EXPECT_EQ(file.entries[0].day, Day(2024, 1, 9));
        EXPECT_EQ(file.entries[0].unit.count1, strong || hevy ? 2 : 3);
    }
}

TEST(ImportRows, WhatIsPassedOverUncounted) {
    const TrainingFile strong = Read(std::string(StrongHeader) +
                                     "2024-01-09 18:05:11,Push,41m,Bench,Rest Timer,0,0,0,90,,,\n"
                                     "\n , ,\n"
                                     "2024-01-09 18:05:11,Push,41m,Bench,1,80,10,0,0,,,\n");
    EXPECT_EQ(strong.skipped.count, 0) << "rest timers and blank lines hold no set";
    ASSERT_EQ(strong.entries.size(), 1u);
    EXPECT_EQ(strong.entries[0].line, 5);

    struct Row {
        const char* name;
        std::string bytes;
        TrainingFile::Outcome outcome;
    };
    const Row rows[] = {
        {"an empty file", "", TrainingFile::Outcome::NotRecognised},
        {"a header row only", StrongHeader, TrainingFile::Outcome::Read},
        {"an unknown header before good rows",
         "Name,Email\n2024-01-09 18:05:11,Push,41m,Bench,1,80,10,0,0,,,\n",
         TrainingFile::Outcome::NotRecognised},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TrainingFile file = Read(row.bytes);
        EXPECT_EQ(file.outcome, row.outcome);
        EXPECT_TRUE(file.entries.empty());
        EXPECT_EQ(file.skipped.count, 0);
    }
}

TEST(ImportValues, DatesAndNumbersParseOnlyInTheirForms) {
    struct DateRow {
        std::u16string text;
        bool dayMonthYear;
        long long day;  // -1: refused
    };
    const DateRow dates[] = {
        {u"2024-01-22 18:05:11", false, Day(2024, 1, 22)},
        {u"2024-01-22", false, Day(2024, 1, 22)},
        {u"2024-01-22T18:05:11Z", false, Day(2024, 1, 22)},
        {u"2024-02-29 00:00:00", false, Day(2024, 2, 29)},
        {u"2023-02-29", false, -1},
        {u"2024-1-22", false, -1},
        {u"2024-01-22x", false, -1},
        {u"1899-12-31", false, -1},
        {u"26 Jul 2025, 07:06", true, Day(2025, 7, 26)},
        {u"1 jan 2024", true, Day(2024, 1, 1)},
        {u"31 DEC 1999, 23:59", true, Day(1999, 12, 31)},
        {u"2025-07-26 07:06:00", true, Day(2025, 7, 26)},
        {u"31 Feb 2024, 07:06", true, -1},
        {u"26 July 2025, 07:06", true, -1},
        {u"26 Jul 25", true, -1},
        {u"", true, -1},
    };
    for (const DateRow& row : dates) {
        SCOPED_TRACE(test::ToUtf8(row.text));
        long long day = -1;
        const bool parsed =
            row.dayMonthYear ? ParseDayMonthYear(row.text, day) : ParseIsoDay(row.text, day);
        EXPECT_EQ(parsed, row.day >= 0);
        if (parsed) {
            EXPECT_EQ(day, row.day);
        }
    }
    struct NumberRow {
        std::u16string field;
        const char16_t* decimal;  // nullptr: refused
    };
    const NumberRow numbers[] = {
        {u"80", u"80"},      {u" 82.50 ", u"82.5"},
        {u"82,5", u"82.5"},  {u"007", u"7"},
        {u"-2.0", u"-2"},    {u"-0", u"0"},
        {u"", u""},          {u"  ", u""},
        {u"1e3", nullptr},   {u"8.", nullptr},
        {u".5", nullptr},    {u"NaN", nullptr},
        {u"1.2.3", nullptr}, {u"1234567890123456", nullptr},
    };
    for (const NumberRow& row : numbers) {
        SCOPED_TRACE(test::ToUtf8(row.field));
        std::u16string decimal;
        EXPECT_EQ(ParseDecimal(row.field, decimal), row.decimal != nullptr);
        if (row.decimal != nullptr) {
            EXPECT_EQ(decimal, row.decimal);
        }
    }
    WholeNumber count = 0;
    EXPECT_TRUE(ParseRepetitions(u"10.0", count));
    EXPECT_EQ(count, 10);
    EXPECT_FALSE(ParseRepetitions(u"-3", count));
    EXPECT_TRUE(ParseWrittenCount(u"-42", count));
    EXPECT_EQ(count, -42);
    const bool wide = sizeof(WholeNumber) == 8;
    EXPECT_EQ(ParseWrittenCount(u"5000000000", count), wide) << "a 64-bit count in a 32-bit build";
    EXPECT_EQ(ParseWrittenCount(wide ? u"-9223372036854775808" : u"-2147483648", count), true);
    EXPECT_FALSE(ParseWrittenCount(wide ? u"9223372036854775808" : u"2147483648", count));
}

TEST(ImportSets, ADaysSetsOfOneExerciseBecomeOneEntry) {
    struct Set {
        WholeNumber reps;
        std::u16string weight;
        std::u16string_view weightUnit = u"kg";
        std::u16string distance = u"";
        std::u16string seconds = u"";
        std::u16string rpe = u"";
        std::u16string_view notes = u"";
    };
    struct Row {
        const char* name;
        std::vector<Set> sets;
        WholeNumber count2;
        std::u16string description;
    };
    const Row rows[] = {
        {"three sets, the first one more",
         {{10, u"80"}, {8, u"80"}, {8, u"80"}},
         8,
         u"80 kg; 10/8/8"},
        {"the same every set", {{5, u"100"}, {5, u"100"}}, 5, u"100 kg"},
        {"a ramp of weights", {{5, u"60"}, {5, u"80"}, {5, u"100"}}, 5, u"60/80/100 kg"},
        {"a tie goes to the first", {{12, u""}, {10, u""}}, 12, u"12/10"},
        {"a run", {{0, u"", u"", u"5", u"1800"}}, 0, u"5 km; 30 min"},
        {"a plank", {{0, u"", u"", u"", u"30"}, {0, u"", u"", u"", u"45"}}, 0, u"30 s/45 s"},
        {"minutes and seconds", {{0, u"", u"", u"", u"90"}}, 0, u"1:30 min"},
        {"RPE and a note written on every set",
         {{10, u"50", u"kg", u"", u"", u"8", u"slow"}, {10, u"50", u"kg", u"", u"", u"9", u"slow"}},
         10,
         u"50 kg; RPE 8/9; slow"},
        {"some sets without a weight", {{10, u""}, {10, u"20"}}, 10, u"-/20 kg"},
        {"units that differ", {{5, u"80", u"kg"}, {5, u"180", u"lb"}}, 5, u"80 kg/180 lb"},
        {"a weight without a unit", {{5, u"80", u""}}, 5, u"80"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetGroups groups;
        for (const Set& set : row.sets) {
            SetRow parsed;
            parsed.day = Day(2024, 1, 9);
            parsed.exercise = u"Bench";
            parsed.reps = set.reps;
            parsed.weight = set.weight;
            parsed.weightUnit = set.weightUnit;
            parsed.distance = set.distance;
            parsed.distanceUnit = u"km";
            parsed.seconds = set.seconds;
            parsed.rpe = set.rpe;
            parsed.notes = set.notes;
            AddSet(groups, parsed, 2);
        }
        // A set of another day or exercise starts a group of its own.
        SetRow other;
        other.day = Day(2024, 1, 10);
        other.exercise = u"Bench";
        AddSet(groups, other, 9);
        ASSERT_EQ(groups.groups.size(), 2u);
        const TrainingUnit entry = EntryOfSets(groups.groups[0]);
        EXPECT_EQ(entry.Name(), u"Bench");
        EXPECT_EQ(entry.count1, WholeNumber(row.sets.size()));
        EXPECT_EQ(entry.count2, row.count2);
        EXPECT_EQ(std::u16string(entry.Description()), row.description);
    }
}

TEST(ImportSets, StrongAndHevyFilesBecomeEntriesPerDayAndExercise) {
    const TrainingFile strong = Read(
        "Date;Workout Name;Exercise Name;Set Order;Weight;Weight Unit;Reps;RPE;Distance;"
        "Distance Unit;Seconds;Notes;Workout Notes;Workout Duration\n"
        "2019-01-11 12:31:54;\"Leg\";\"Deadlift (Barbell)\";1;100;kg;5;;;;0;\"\";\"\";50m\n"
        "2019-01-11 12:31:54;\"Leg\";\"Deadlift (Barbell)\";2;120,5;kg;3;;;;0;;;50m\n"
        "2019-01-11 12:31:54;\"Leg\";\"Running\";1;0;kg;0;;3.1;mi;1500;;;50m\n"
        "2019-01-12 09:00:00;\"Leg\";\"Deadlift (Barbell)\";1;100;kg;5;;;;0;;;50m\n");
    ASSERT_EQ(strong.entries.size(), 3u);
    EXPECT_EQ(strong.entries[0].unit.Name(), u"Deadlift (Barbell)");
    EXPECT_EQ(strong.entries[0].unit.Description(), u"100/120.5 kg; 5/3");
    EXPECT_EQ(strong.entries[0].rows, 2);
    EXPECT_EQ(strong.entries[1].unit.Description(), u"3.1 mi; 25 min");
    EXPECT_EQ(strong.entries[2].day, Day(2019, 1, 12));

    // Hevy lists the newest workout first; sets keep the order of the file.
    const TrainingFile hevy =
        Read(std::string(HevyHeader) +
             "\"Lower\",\"26 Jul 2025, 07:06\",\"26 Jul 2025, 08:11\",\"\",\"Lying Leg Curl "
             "(Machine)\",,\"\",0,\"warmup\",20,10,,,\n"
             "\"Lower\",\"26 Jul 2025, 07:06\",\"26 Jul 2025, 08:11\",\"\",\"Lying Leg Curl "
             "(Machine)\",,\"\",1,\"normal\",45,8,,,8.5\n"
             "\"Cardio\",\"20 Jul 2025, 18:00\",\"20 Jul 2025, 18:40\",\"easy\",\"Treadmill\","
             ",\"Zone 2, nose breathing\",0,\"normal\",,,5.25,2400,\n");
    ASSERT_EQ(hevy.entries.size(), 2u);
    EXPECT_EQ(hevy.entries[0].day, Day(2025, 7, 26));
    EXPECT_EQ(hevy.entries[0].unit.count1, 2);
    EXPECT_EQ(hevy.entries[0].unit.count2, 10);
    EXPECT_EQ(hevy.entries[0].unit.Description(), u"20/45 kg; 10/8; RPE -/8.5");
    EXPECT_EQ(hevy.entries[1].unit.Description(), u"5.25 km; 40 min; Zone 2, nose breathing");
}

}  // namespace
