// The four lists of the main window: row texts and the fills, on CurrentUi().
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/text_helpers.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"

// field1 LF field2 " - " field3 LF field4 of one day entry.
std::u16string EntryLine(std::u16string_view entry);
// The EntryLine of every entry of a day text (trimmed of spaces first); linear in its length.
std::vector<std::u16string> EntryRows(std::u16string_view dayText);
// "name: count1-count2 | description".
std::u16string UnitRowText(const TrainingUnit& unit);
// Calendar/Week text followed by the week number.
std::u16string WeekRowText(const TrainingWeek& week);
// The localised name of a day index.
std::u16string DayRowText(WholeNumber dayIndex);

void FillEntryList(WholeNumber week, WholeNumber day);
void FillWeekCombo();
void FillDayCombo();
void FillUnitCombo();
