// SPDX-License-Identifier: GPL-3.0-or-later
// Day texts: appending and removing entries, the odd texts an edited file can hold,
// out-of-range positions, and removal from a very long day text in linear time.
#include "data/day_entries.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "data/data_fixture.h"
#include "reference_text.h"

namespace {

using DayEntriesTest = test::DataTest;

const TrainingUnit PlankUnit = {u"Plank", 3, 60, u"hold"};
const TrainingUnit RunUnit = {u"Run", 1, 5, u"easy"};

TEST_F(DayEntriesTest, AppendAndRemoveFollowTheEntryOrder) {
    AddWeek(doc.history, 1);
    AppendDayEntry(doc, 0, 2, PlankUnit);
    EXPECT_EQ(GetDayText(doc, 0, 2), u"Plank|3|60|hold");
    AppendDayEntry(doc, 0, 2, RunUnit);
    EXPECT_EQ(GetDayText(doc, 0, 2), u"Plank|3|60|hold\\Run|1|5|easy");
    EXPECT_EQ(GetDayText(doc, 0, 1), u"") << "other days untouched";

    RemoveDayEntry(doc, 0, 2, 0);
    EXPECT_EQ(GetDayText(doc, 0, 2), u"Run|1|5|easy");
    RemoveDayEntry(doc, 0, 2, 0);
    EXPECT_EQ(GetDayText(doc, 0, 2), u"");
}

TEST_F(DayEntriesTest, RemoveCases) {
    AddWeek(doc.history, 1);
    struct Row {
        const char* name;
        std::u16string text;
        WholeNumber position;
        std::u16string expected;
    };
    const Row rows[] = {
        {"first of two", u"P\\R", 0, u"R"},
        {"second of two", u"P\\R", 1, u"P"},
        {"middle of three", u"A\\B\\C", 1, u"A\\C"},
        {"last of three", u"A\\B\\C", 2, u"A\\B"},
        {"past the end leaves it", u"A\\B", 5, u"A\\B"},
        {"just past the end leaves it", u"A\\B", 2, u"A\\B"},
        {"negative leaves it", u"A\\B", -1, u"A\\B"},
        {"single entry, any position", u"A", 7, u""},
        {"single entry, negative position", u"A", -3, u""},
        {"empty stays empty", u"", 0, u""},
        {"first of two equal", u"X\\X", 0, u"X"},
        {"trailing separator: the empty last entry", u"A\\", 1, u"A"},
        {"trailing separator: the first entry", u"A\\", 0, u""},
        {"leading separator: the empty first entry", u"\\A", 0, u"A"},
        {"two separators: middle empty entry", u"A\\\\B", 1, u"A\\B"},
        {"spaces kept around others", u" A \\ B ", 1, u" A "},
        {"largest position", u"A\\B", std::numeric_limits<WholeNumber>::max(), u"A\\B"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetDayText(doc, 0, 0, row.text);
        RemoveDayEntry(doc, 0, 0, row.position);
        EXPECT_EQ(test::ToUtf8(GetDayText(doc, 0, 0)), test::ToUtf8(row.expected));
    }
}

TEST_F(DayEntriesTest, AppendCases) {
    AddWeek(doc.history, 1);
    struct Row {
        const char* name;
        std::u16string text;
        TrainingUnit unit;
        std::u16string expected;
    };
    const Row rows[] = {
        {"negative count", u"", {u"N", -2, 10, u"d"}, u"N|-2|10|d"},
        {"spaces-only text is not empty", u"  ", {u"A", 1, 2, u""}, u"  \\A|1|2|"},
        {"backslash in description", u"", {u"A", 1, 2, u"x\\y"}, u"A|1|2|x\\y"},
        {"same unit twice", u"A|1|2|", {u"A", 1, 2, u""}, u"A|1|2|\\A|1|2|"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetDayText(doc, 0, 4, row.text);
        AppendDayEntry(doc, 0, 4, row.unit);
        EXPECT_EQ(test::ToUtf8(GetDayText(doc, 0, 4)), test::ToUtf8(row.expected));
    }
    // A description holding "\" counts as two entries from then on.
    SetDayText(doc, 0, 4, u"");
    AppendDayEntry(doc, 0, 4, {u"A", 1, 2, u"x\\y"});
    RemoveDayEntry(doc, 0, 4, 1);
    EXPECT_EQ(GetDayText(doc, 0, 4), u"A|1|2|x");
}

TEST_F(DayEntriesTest, OutOfRangeWeeksAndDaysChangeNothing) {
    AddWeek(doc.history, 1);
    SetDayText(doc, 0, 0, u"keep");
    const std::pair<WholeNumber, WholeNumber> places[] = {
        {-1, 0},
        {1, 0},
        {0, -1},
        {0, 7},
        {std::numeric_limits<WholeNumber>::max(), 0},
        {0, std::numeric_limits<WholeNumber>::min()}};
    for (auto [week, day] : places) {
        SCOPED_TRACE(test::ToUtf8(FormatInteger(week) + u"/" + FormatInteger(day)));
        EXPECT_EQ(GetDayText(doc, week, day), u"");
        SetDayText(doc, week, day, u"x");
        AppendDayEntry(doc, week, day, PlankUnit);
        RemoveDayEntry(doc, week, day, 0);
    }
    EXPECT_EQ(GetDayText(doc, 0, 0), u"keep");
    EXPECT_EQ(doc.history.size(), 1u);
    doc.history.clear();
    EXPECT_EQ(GetDayText(doc, 0, 0), u"");
    AppendDayEntry(doc, 0, 0, PlankUnit);
    RemoveDayEntry(doc, 0, 0, 0);
    EXPECT_TRUE(doc.history.empty());
}

TEST_F(DayEntriesTest, LongDayTextIsHandledInLinearTime) {
    AddWeek(doc.history, 1);
    std::u16string text;
    const int entries = 100000;
    for (int i = 0; i < entries; ++i) {
        if (i > 0) text += u'\\';
        text += u"E" + FormatInteger(i) + u"|1|2|d";
    }
    auto start = std::chrono::steady_clock::now();
    SetDayText(doc, 0, 0, text);
    RemoveDayEntry(doc, 0, 0, entries - 1);
    RemoveDayEntry(doc, 0, 0, entries / 2);
    RemoveDayEntry(doc, 0, 0, 0);
    for (int i = 0; i < 20; ++i) AppendDayEntry(doc, 0, 0, RunUnit);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 1.0) << "quadratic work would take minutes";
    std::u16string result(GetDayText(doc, 0, 0));
    EXPECT_EQ(reference::CountOf(result, u"\\"), entries - 3 + 20 - 1);
    EXPECT_EQ(reference::FieldOf(result, 1, u"\\"), u"E1|1|2|d");
    EXPECT_EQ(reference::FieldOf(result, entries / 2, u"\\"),
              u"E" + FormatInteger(entries / 2 + 1) + u"|1|2|d");
    EXPECT_EQ(result.find(u"E99999|"), std::u16string::npos);
}

}  // namespace
