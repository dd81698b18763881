// SPDX-License-Identifier: GPL-3.0-or-later
// Week numbers (the day of the year of the week's Monday), today's day, and the catch-up
// of the history to the current week.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/document.h"
#include "platform/clock.h"
#include "text/messages.h"

WholeNumber CurrentWeekNumber();
// "Monday" .. "Sunday" by today's weekday.
std::u16string_view TodayDayKey();
// 0 = Monday .. 6 = Sunday.
WholeNumber TodayDayIndex();
// The number the catch-up gives the week beginning on this day (days from 1970): the day of
// the year of that day, counted in today's year for the week that holds today or lies after
// it, else in the year of its Thursday (the year that holds most of its days).
WholeNumber WeekNumberOfWeekBeginning(long long firstDay);
// Appends the weeks from the history's last one to the current week, 7 days apart, each
// numbered by WeekNumberOfWeekBeginning; the last week's day comes from `fileDay`, the day
// the history file last changed (unknown: today), by week_dates' PlaceNewestWeek. A damaged
// last number more than a year of weeks back gets only the current week after it; with
// loadedFromFile false or an empty history, one week numbered CurrentWeekNumber is appended.
// Returns the evidence day of the last week afterwards (for WeekMondays): today when a week
// was appended, else the file's day as EvidenceDay reads it.
LocalDate AdvanceToCurrentWeek(std::vector<TrainingWeek>& history, bool loadedFromFile,
                               const std::optional<LocalDate>& fileDay = std::nullopt);
// The history as start-up has it: the file's weeks (LoadWeekHistory), then the catch-up, and
// the evidence day of its last week in document.lastWeekEvidence. Reports what the load
// reported.
Report LoadHistoryUpToToday(Document& document);
