// SPDX-License-Identifier: GPL-3.0-or-later
// The week before copied into the shown week's empty days. A day of blanks holds no entry
// (the entry list shows none), so it counts as empty; the copied text is the day text of the
// week before exactly as it stands.
#include "app/repeat_week.h"

#include "app/list_fills.h"
#include "data/day_entries.h"

bool CanRepeatLastWeek(const ProgramState& state) {
    const WholeNumber week = state.selection.week;
    return week > 0 && std::size_t(week) < state.document.history.size();
}

void RepeatLastWeek(ProgramState& state) {
    if (!CanRepeatLastWeek(state)) return;
    const WholeNumber week = state.selection.week;
    EditStep step;
    step.shownBefore = {week, state.selection.day};
    step.shownAfter = step.shownBefore;
    for (WholeNumber day = 0; day < 7; ++day) {
        const std::u16string_view shown = GetDayText(state.document, week, day);
        const std::u16string_view before = GetDayText(state.document, week - 1, day);
        if (!TrimSpaces(shown).empty() || TrimSpaces(before).empty()) continue;
        step.days.push_back({week, day, std::u16string(shown), std::u16string(before)});
    }
    if (step.days.empty()) return;
    for (const DayChange& change : step.days)
        SetDayText(state.document, change.week, change.day, change.after);
    RecordStep(state.edits, std::move(step));
    FillEntryList(state);
}
