// SPDX-License-Identifier: GPL-3.0-or-later
// The row texts of the main window's four lists: the entries of a day, the units, the weeks
// and the days. The entries themselves are data/day_entries.h's; filling the controls with the
// rows is list_fills.h's.
#pragma once

#include <string>
#include <string_view>

#include "data/day_entries.h"
#include "text/text_table.h"

// An entry-list row: name LF count1 " - " count2 LF description, the cells of its columns.
void EntryRowInto(std::u16string_view name, std::u16string_view count1, std::u16string_view count2,
                  std::u16string_view description, std::u16string& row);
// The row of the next entry of the walk, as written in the day text, into `row` (whose room is
// reused); false after the last.
bool NextEntryRow(DayEntryWalk& walk, std::u16string& row);
// The row a unit planned by Add shows: its own fields, the counts in decimal.
std::u16string EntryRowOfUnit(const TrainingUnit& unit);
// "name: count1-count2 | description".
std::u16string UnitRowText(const TrainingUnit& unit);
// Calendar/Week text followed by the week number.
std::u16string WeekRowText(const TextTable& texts, const TrainingWeek& week);
// The localised name of a day index.
std::u16string DayRowText(const TextTable& texts, WholeNumber dayIndex);
