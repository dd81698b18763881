// Week numbers (the day of the year of the week's Monday), today's day, and the catch-up
// of the history to the current week.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/document.h"
#include "text/messages.h"

WholeNumber CurrentWeekNumber();
// "Monday" .. "Sunday" by today's weekday.
std::u16string_view TodayDayKey();
// 0 = Monday .. 6 = Sunday.
WholeNumber TodayDayIndex();
// Appends weeks 7 apart until the last number reaches the current week (with the year-change
// rebase and the damaged-number guard); with loadedFromFile false or an empty history,
// appends one week numbered CurrentWeekNumber.
void AdvanceToCurrentWeek(std::vector<TrainingWeek>& history, bool loadedFromFile);
// The history as start-up has it: the file's weeks (LoadWeekHistory), then the catch-up.
// Reports what the load reported.
Report LoadHistoryUpToToday(Document& document);
