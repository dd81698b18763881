// The row texts of the main window's four lists: the entries of a day, the units, the weeks
// and the days. Filling the controls with them is app/'s work.
#pragma once

#include <string>
#include <string_view>

#include "data/document.h"
#include "text/text_table.h"

// The rows of a day text, one per entry, handed out one at a time so that a day of many
// entries never needs them all at once. Every "\"-separated piece of the text trimmed of
// spaces is an entry (the whole text when it has no "\"); a text of spaces has none.
struct EntryRowWalk {
    std::u16string_view rest;  // the entries not yet handed out
    bool done = true;
};
EntryRowWalk StartEntryRows(std::u16string_view dayText);
// The next entry's own text, name|count1|count2|description as far as it goes; false after
// the last. The view points into the day text.
bool NextEntry(EntryRowWalk& walk, std::u16string_view& entry);
// The next row, field1 LF field2 " - " field3 LF field4 of its entry, into `row` (whose room
// is reused); false after the last.
bool NextEntryRow(EntryRowWalk& walk, std::u16string& row);
// "name: count1-count2 | description".
std::u16string UnitRowText(const TrainingUnit& unit);
// Calendar/Week text followed by the week number.
std::u16string WeekRowText(const TextTable& texts, const TrainingWeek& week);
// The localised name of a day index.
std::u16string DayRowText(const TextTable& texts, WholeNumber dayIndex);
