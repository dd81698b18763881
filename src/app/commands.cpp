// The catalogue, save and selection commands. Units whose texts hold a data separator or a
// control character are refused, because the entry and line formats cannot store them intact;
// the save confirmation appears only when both files were written.
#include "app/commands.h"

#include "app/control_ids.h"
#include "app/list_fills.h"
#include "app/message_boxes.h"
#include "data/day_entries.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"
#include "platform/clock.h"

namespace {

constexpr int CreatePauseMs = 100;
constexpr int SavedPauseMs = 1000;

}  // namespace

void ClearUnitFields(ProgramState& state) {
    UiServices& ui = state.ui;
    ui.SetText(NameField, u"");
    ui.SetText(Count1Field, u"");
    ui.SetText(Count2Field, u"");
    ui.SetText(DescriptionField, u"");
}

void SetFieldsDisabled(ProgramState& state, bool disabled) {
    if (disabled == state.fieldsDisabled) return;
    UiServices& ui = state.ui;
    ui.SetEnabled(Count1Field, !disabled);
    ui.SetEnabled(Count2Field, !disabled);
    ui.SetEnabled(DescriptionField, !disabled);
    state.fieldsDisabled = disabled;
}

void UpdateUnitFieldsFromName(ProgramState& state) {
    SetFieldsDisabled(state, state.ui.GetText(NameField).empty());
}

void CreateUnitFromFields(ProgramState& state) {
    UiServices& ui = state.ui;
    std::u16string name = ui.GetText(NameField);
    std::u16string count1 = ui.GetText(Count1Field);
    std::u16string count2 = ui.GetText(Count2Field);
    std::u16string description = ui.GetText(DescriptionField);
    if (HoldsFieldSeparator(name) || HoldsFieldSeparator(description)) {
        ShowError(state, u"Separator");
        return;
    }
    // A line break or NUL would split the unit's line and shift every week of the history.
    if (HoldsControlCharacter(name) || HoldsControlCharacter(description)) {
        ShowError(state, u"ControlCharacters");
        return;
    }
    AddUnit(state.document, std::move(name), WholeNumber(ParseInteger(count1)),
            WholeNumber(ParseInteger(count2)), std::move(description));
    FillUnitCombo(state);
    ClearUnitFields(state);
    SetFieldsDisabled(state, true);
    ui.Pause(CreatePauseMs);
}

void SaveBothFiles(ProgramState& state) {
    const DailyBackup backup{WholeNumber(ParseInteger(state.settings.backups)), Today()};
    // Both are attempted, history first; each reports its own failure.
    const SaveOutcome history = SaveWeekHistory(state.document, backup);
    ShowReport(state, history.report);
    const SaveOutcome units = SaveUnitCatalogue(state.document, backup);
    ShowReport(state, units.report);
    // A backup that could not be made never stops a save; the user hears of it once a run.
    for (const Report& failed : {history.backup, units.backup}) {
        if (failed.ok() || state.backupFailureShown) continue;
        ShowReport(state, failed);
        state.backupFailureShown = true;
    }
    if (!history.report.ok() || !units.report.ok()) return;
    UiServices& ui = state.ui;
    ui.SetText(SaveButton, LookupText(state.texts, u"Global", u"Saved"));
    ui.Pause(SavedPauseMs);
    ui.SetText(SaveButton, LookupText(state.texts, u"Global", u"Save"));
}

void SelectWeek(ProgramState& state) {
    state.selection.week = WholeNumber(state.ui.GetState(WeekCombo));
    FillEntryList(state);
}

void SelectDay(ProgramState& state) {
    state.selection.day = WholeNumber(state.ui.GetState(DayCombo));
    FillEntryList(state);
}
