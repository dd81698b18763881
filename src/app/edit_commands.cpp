// The keyboard's editing commands. Every change of a day's entries is recorded as whole day
// texts, so undo and redo only put a text back and show its day as a user's choice would.
#include "app/edit_commands.h"

#include <vector>

#include "app/clipboard_text.h"
#include "app/commands.h"
#include "app/control_ids.h"
#include "app/list_fills.h"
#include "app/message_boxes.h"
#include "data/day_entries.h"

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

void RecordSelectedDayChange(ProgramState& state, std::u16string before) {
    const Selection& selection = state.selection;
    std::u16string after(GetDayText(state.document, selection.week, selection.day));
    if (after == before) return;
    RecordChange(state.edits, {selection.week, selection.day, std::move(before), std::move(after)});
}

void DeleteEntryByKey(ProgramState& state) {
    // Unlike the button, the key says nothing when no row is selected.
    if (state.ui.GetState(EntryList) < 0) return;
    DeleteSelectedEntry(state);
}

void UndoDayChange(ProgramState& state) {
    const DayChange* step = TakeUndoStep(state.edits);
    if (step != nullptr) ApplyStep(state, *step, step->before);
}

void RedoDayChange(ProgramState& state) {
    const DayChange* step = TakeRedoStep(state.edits);
    if (step != nullptr) ApplyStep(state, *step, step->after);
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
