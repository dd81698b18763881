// SPDX-License-Identifier: GPL-3.0-or-later
// Weeks for imported dates. A date belongs to the week of its Monday; a week the history
// lacks is put among the others in date order, numbered so that week_dates' rule (the newest
// week's year from the evidence day, one year back at every drop of the numbers) reads every
// week's Monday where it is, the old weeks' included. Where two neighbouring weeks lie too far
// apart for that rule (more than a year, or a year change without a drop), empty weeks are
// put between them. The history stays a plain list of weeks in date order.
#pragma once

#include <vector>

#include "data/document.h"
#include "platform/clock.h"

// A week's number with the year it counts from: its Monday is 1 January + number - 1.
struct WeekLabel {
    long long monday = 0;  // days from 1 January 1970
    long long year = 1970;
    WholeNumber number = 0;
};

// The number the catch-up gives a past week: counted from the year of its Thursday.
WeekLabel ThursdayLabel(long long monday);
// The label `number` gives `monday` when it counts from 1 January of the Monday's year, the
// year after or the year before, within FirstWeekNumber .. LastWeekNumber.
bool LabelForNumber(long long monday, WholeNumber number, WeekLabel& label);
// The year rule reads `next`, the week after `week` in the history, as labelled: in the same
// year when its number is not smaller, in the next year when it is.
bool ReadsOn(const WeekLabel& week, const WeekLabel& next);
// Appends the empty weeks that must stand between `week` and the later week `later` for the
// rule to read on at every step: none when it already does, else about one a year between
// them. False when there are none.
bool BridgeWeeks(const WeekLabel& week, const WeekLabel& later, std::vector<WeekLabel>& between);

// A week an import needs, with the number its file gave it, if any.
struct WantedWeek {
    long long monday = 0;
    bool numbered = false;
    WholeNumber number = 0;
};
// Adds a week for every wanted Monday the history lacks, and the empty weeks the rule needs
// between; `wanted` sorted by Monday, each once, none after the newest week's Monday. The
// weeks are dated from `evidence` (EvidenceDay's); `mondays` are the history's Mondays as
// WeekMondayDays gives them, and afterwards the new history's. `added` gets the positions of
// all new weeks in the new history, ascending. False, the history as it was, when the
// history's own weeks do not lie in date order (a damaged file): then no week can be added.
bool PlaceWeeks(std::vector<TrainingWeek>& history, std::vector<long long>& mondays,
                const LocalDate& evidence, const std::vector<WantedWeek>& wanted,
                std::vector<WholeNumber>& added);
// Where the week at `before` stands after weeks were added at the positions `added`
// (ascending, in the new history).
WholeNumber PositionAfterAdding(const std::vector<WholeNumber>& added, WholeNumber before);
