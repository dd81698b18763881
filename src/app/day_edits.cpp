// The day edits. Every change of a day's entries is recorded as whole day texts, so undo and
// redo put a text back (merged onto entries that came from elsewhere meanwhile) and show its
// day as a user's choice would. A unit whose texts hold
// a "\" is refused, because it would split into two entries.
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

// Shows the step's week and day exactly as choosing them in the two lists does, then puts the
// day text back and shows its entries.
void ApplyStep(ProgramState& state, const DayChange& step, const std::u16string& text) {
    UiServices& ui = state.ui;
    ui.SetState(WeekCombo, step.week);
    SelectWeek(state);
    ui.SetState(DayCombo, step.day);
    SelectDay(state);
    SetDayText(state.document, step.week, step.day, text);
    FillEntryList(state);
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
    RecordChange(state.edits, {selection.week, selection.day, std::move(before), std::move(after)});
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
    if (HoldsEntrySeparator(unit.name) || HoldsEntrySeparator(unit.description)) {
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

// The day's text once the step's change from `from` to `to` is made again or taken back.
// Where the day no longer holds `from` (a merge brought in entries made elsewhere), the
// change is merged onto the text it holds, so that nothing the other side added goes.
std::u16string TextAfterStep(const ProgramState& state, const DayChange& step,
                             const std::u16string& from, const std::u16string& to) {
    const std::u16string_view now = GetDayText(state.document, step.week, step.day);
    if (now == from) return to;
    return MergeDayText(from, now, to);
}

void UndoDayChange(ProgramState& state) {
    const DayChange* step = TakeUndoStep(state.edits);
    if (step != nullptr)
        ApplyStep(state, *step, TextAfterStep(state, *step, step->after, step->before));
}

void RedoDayChange(ProgramState& state) {
    const DayChange* step = TakeRedoStep(state.edits);
    if (step != nullptr)
        ApplyStep(state, *step, TextAfterStep(state, *step, step->before, step->after));
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
