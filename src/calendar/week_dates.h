// The calendar date of every history week's Monday and of its days, for the exports.
// Week numbers themselves (and the catch-up that appends them) are week_calendar's.
#pragma once

#include <string>
#include <vector>

#include "data/week_history.h"
#include "platform/clock.h"

// The Monday of each week, in history order. The newest week counts from 1 January of
// today's year; every step back to an older week whose number is greater than the next
// week's number moves to the year before. Week numbers beyond ±3 660 000 (about ten
// thousand years) are taken as that bound, so no date arithmetic can overflow.
std::vector<CivilDate> WeekMondays(const std::vector<TrainingWeek>& history,
                                   const LocalDate& today);
// "20240108", as calendar files write dates; only for years 1 .. 9999.
std::string CompactDate(const CivilDate& date);
