// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue, save and selection commands. Units whose texts hold a data separator or a
// control character are refused, because the entry and line formats cannot store them intact;
// the save (sync_commands.h merges what changed on disk) confirms only when both files were
// written.
#include "app/commands.h"

#include "app/context_menu.h"
#include "app/control_ids.h"
#include "app/list_fills.h"
#include "app/message_boxes.h"
#include "app/sync_commands.h"
#include "data/backups.h"
#include "data/day_entries.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"
#include "platform/clock.h"

namespace {

constexpr int CreatePauseMs = 100;
constexpr int SavedPauseMs = 1000;
// A box names at most this much of a setting, so that a damaged ini.ini cannot flood it.
constexpr std::size_t MostShownSettingUnits = 40;

std::u16string ShownSetting(std::u16string_view value) {
    if (value.size() <= MostShownSettingUnits) return std::u16string(value);
    std::size_t cut = MostShownSettingUnits;
    // Never half of a character beyond U+FFFF.
    if (value[cut - 1] >= 0xD800 && value[cut - 1] <= 0xDBFF) --cut;
    return std::u16string(value.substr(0, cut)) + u"\u2026";
}

// How many days of backups the save keeps. A Backups value that is no plain number counts as
// the default, and the user hears so once a run, with the value that was meant.
DailyBackup BackupForToday(ProgramState& state) {
    const BackupSetting setting = ReadBackupSetting(state.settings.backups);
    if (!setting.valid && !state.backupSettingShown) {
        // The whole line, so that even an empty value is named.
        ShowError(state, u"BackupSetting", u"Backups = " + ShownSetting(state.settings.backups));
        state.backupSettingShown = true;
    }
    return {setting.days, Today()};
}

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
    const DailyBackup backup = BackupForToday(state);
    // Both are attempted, history first, each merged with what changed on disk meanwhile;
    // each reports its own failure.
    const MergingSave save = SaveMerging(state, backup);
    const SaveOutcome& history = save.history;
    const SaveOutcome& units = save.units;
    ShowReport(state, history.report);
    ShowReport(state, units.report);
    // A backup that could not be made never stops a save; the user hears of it once a run.
    for (const Report& failed : {history.backup, units.backup}) {
        if (failed.ok() || state.backupFailureShown) continue;
        ShowReport(state, failed);
        state.backupFailureShown = true;
    }
    if (!save.complete) return;
    UiServices& ui = state.ui;
    ui.SetText(SaveButton, LookupText(state.texts, u"Global", u"Saved"));
    ui.Pause(SavedPauseMs);
    ui.SetText(SaveButton, LookupText(state.texts, u"Global", u"Save"));
}

void SelectWeek(ProgramState& state) {
    state.selection.week = WholeNumber(state.ui.GetState(WeekCombo));
    FillEntryList(state);
    UpdateContextMenu(state);
}

void SelectDay(ProgramState& state) {
    state.selection.day = WholeNumber(state.ui.GetState(DayCombo));
    FillEntryList(state);
}
