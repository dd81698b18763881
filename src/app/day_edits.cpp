// SPDX-License-Identifier: GPL-3.0-or-later
// The day edits. Every change of a day's entries is recorded as whole day texts, so undo and
// redo only put texts back (merged onto entries that came from elsewhere meanwhile; the weeks
// an import added taken out or put back) and show the step's day as a user's choice would. A
// unit whose texts hold a "\" is refused, because it would split into two entries.
#include "app/day_edits.h"

#include "app/clipboard_text.h"
#include "app/commands.h"
#include "app/control_ids.h"
#include "app/list_fills.h"
#include "app/list_rows.h"
#include "app/message_boxes.h"
#include "data/day_entries.h"
#include "data/merge_days.h"
#include "data/unit_catalogue.h"

namespace {

// The day's text once the change from `from` to `to` is made again or taken back. Where the
// day no longer holds `from` (a merge brought in entries made elsewhere), the change is merged
// onto the text it holds, so that nothing the other side added goes.
std::u16string TextAfterChange(const ProgramState& state, const DayChange& change,
                               const std::u16string& from, const std::u16string& to) {
    const std::u16string_view now = GetDayText(state.document, change.week, change.day);
    if (now == from) return to;
    return MergeDayText(from, now, to);
}

bool WeekIsEmpty(const TrainingWeek& week) {
    for (const std::u16string& day : week.days)
        if (!day.empty()) return false;
    return true;
}

// Takes the step's weeks out again, last first. A week that entries made elsewhere came into
// meanwhile stays, and leaves the step, so that a redo does not add it a second time; the day
// shown before the step moves past the weeks that stayed.
void TakeOutStepWeeks(ProgramState& state, EditStep& step) {
    std::vector<TrainingWeek>& history = state.document.history;
    std::vector<StepWeek> left;       // the step's weeks still its own, last first
    std::vector<WholeNumber> stayed;  // positions of the weeks that stayed, last first
    for (auto week = step.weeks.rbegin(); week != step.weeks.rend(); ++week) {
        const std::size_t position = std::size_t(week->position);
        if (position < history.size() && !WeekIsEmpty(history[position])) {
            stayed.push_back(week->position);
            continue;
        }
        if (position < history.size()) history.erase(history.begin() + std::ptrdiff_t(position));
        left.push_back(*week);
    }
    if (stayed.empty()) return;
    step.weeks.assign(left.rbegin(), left.rend());
    // A week that stayed now stands lower by the step's weeks taken out before it.
    for (auto kept = stayed.rbegin(); kept != stayed.rend(); ++kept) {
        const auto before =
            std::count_if(step.weeks.begin(), step.weeks.end(),
                          [&](const StepWeek& week) { return week.position < *kept; });
        if (*kept - WholeNumber(before) <= step.shownBefore.week) ++step.shownBefore.week;
    }
}

// Puts the step's day texts (and weeks) back as they were before it (undo) or after it
// (redo), then shows the day it showed exactly as choosing it in the two lists does.
void ApplyStep(ProgramState& state, EditStep& step, bool undo) {
    std::vector<TrainingWeek>& history = state.document.history;
    const std::size_t weeksBefore = history.size();
    if (undo) {
        for (auto change = step.days.rbegin(); change != step.days.rend(); ++change)
            SetDayText(state.document, change->week, change->day,
                       TextAfterChange(state, *change, change->after, change->before));
        TakeOutStepWeeks(state, step);
    } else {
        for (const StepWeek& week : step.weeks)
            history.insert(history.begin() +
                               std::ptrdiff_t(std::min(std::size_t(week.position), history.size())),
                           TrainingWeek{week.number, {}});
        for (const DayChange& change : step.days)
            SetDayText(state.document, change.week, change.day,
                       TextAfterChange(state, change, change.before, change.after));
    }
    const ShownDay& shown = undo ? step.shownBefore : step.shownAfter;
    UiServices& ui = state.ui;
    if (history.size() != weeksBefore) {
        state.selection.week = shown.week;
        FillWeekCombo(state);
    }
    ui.SetState(WeekCombo, shown.week);
    SelectWeek(state);
    ui.SetState(DayCombo, shown.day);
    SelectDay(state);
}

}  // namespace

// The day that add and delete act on exists only with a week at the selected position; an
// empty history, or a selector left without a selection, leaves them inert.
bool SelectedDayExists(const ProgramState& state) {
    const Selection& selection = state.selection;
    return selection.week >= 0 && std::size_t(selection.week) < state.document.history.size() &&
           selection.day >= 0 && selection.day < 7;
}

void RecordSelectedDayChange(ProgramState& state, std::u16string before) {
    const Selection& selection = state.selection;
    std::u16string after(GetDayText(state.document, selection.week, selection.day));
    if (after == before) return;
    RecordStep(state.edits,
               DayStep({selection.week, selection.day, std::move(before), std::move(after)}));
}

void AppendToSelectedDay(ProgramState& state, const std::vector<TrainingUnit>& units) {
    if (!SelectedDayExists(state)) return;
    const Selection& selection = state.selection;
    std::u16string before(GetDayText(state.document, selection.week, selection.day));
    for (const TrainingUnit& unit : units) {
        // The unit's own fields: for a unit without separators, the row of the entry it stores.
        state.ui.AddItem(EntryList, EntryRowOfUnit(unit));
        AppendDayEntry(state.document, selection.week, selection.day, unit);
    }
    RecordSelectedDayChange(state, std::move(before));
}

void AddSelectedUnit(ProgramState& state) {
    UiServices& ui = state.ui;
    if (UnitCount(state.document) == 0) {
        ShowError(state, u"AddButton");
        return;
    }
    WholeNumber position = WholeNumber(ui.GetState(UnitCombo));
    if (position < 0 || position >= UnitCount(state.document)) return;
    const TrainingUnit& unit = UnitAt(state.document, position);
    // Only a hand-edited units.txt can bring a "\" here.
    if (HoldsEntrySeparator(unit.Name()) || HoldsEntrySeparator(unit.Description())) {
        ShowError(state, u"Separator");
        return;
    }
    AppendToSelectedDay(state, {unit});
}

void DeleteSelectedEntry(ProgramState& state) {
    UiServices& ui = state.ui;
    std::intptr_t row = ui.GetState(EntryList);
    if (row < 0) {
        ShowError(state, u"DeleteButton");
        return;
    }
    if (SelectedDayExists(state)) {
        const Selection& selection = state.selection;
        std::u16string before(GetDayText(state.document, selection.week, selection.day));
        RemoveDayEntry(state.document, selection.week, selection.day, WholeNumber(row));
        RecordSelectedDayChange(state, std::move(before));
    }
    ui.RemoveItem(EntryList, row);
}

void DeleteEntryByKey(ProgramState& state) {
    // Unlike the button, the key says nothing when no row is selected.
    if (state.ui.GetState(EntryList) < 0) return;
    DeleteSelectedEntry(state);
}

void UndoDayChange(ProgramState& state) {
    EditStep* step = TakeUndoStep(state.edits);
    if (step != nullptr) ApplyStep(state, *step, true);
}

void RedoDayChange(ProgramState& state) {
    EditStep* step = TakeRedoStep(state.edits);
    if (step != nullptr) ApplyStep(state, *step, false);
}

void CopyEntries(ProgramState& state) {
    const Selection& selection = state.selection;
    const WholeNumber row = WholeNumber(state.ui.GetState(EntryList));
    const std::u16string text = ClipboardTextOfEntries(
        GetDayText(state.document, selection.week, selection.day), row < 0 ? -1 : row);
    // Nothing to copy leaves whatever the clipboard held.
    if (!text.empty()) state.ui.SetClipboardText(text);
}

void CutSelectedEntry(ProgramState& state) {
    if (state.ui.GetState(EntryList) < 0) {
        ShowError(state, u"DeleteButton");
        return;
    }
    CopyEntries(state);
    DeleteSelectedEntry(state);
}

void PasteEntries(ProgramState& state) {
    std::vector<TrainingUnit> units;
    if (!ReadClipboardUnits(state.ui.GetClipboardText(), units)) {
        ShowError(state, u"Paste");
        return;
    }
    AppendToSelectedDay(state, units);
}
