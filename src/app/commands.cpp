// The six actions of the main window and ClearUnitFields. Units whose texts hold a data
// separator are refused, because the entry and line formats cannot store them intact;
// the save confirmation appears only when both files were written.
#include "app/commands.h"

#include "app/app_state.h"
#include "app/control_ids.h"
#include "app/event_loop.h"
#include "app/ui_services.h"
#include "calendar/list_views.h"
#include "data/day_entries.h"
#include "data/text_helpers.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"
#include "text/messages.h"
#include "text/text_table.h"

namespace {

constexpr int CreatePauseMs = 100;
constexpr int SavedPauseMs = 1000;

// The day that add and delete act on exists only with a week at SelectedWeek; an empty
// history, or a selector left without a selection, leaves them inert.
bool SelectedDayExists() {
    return SelectedWeek >= 0 && std::size_t(SelectedWeek) < WeekHistory.size() &&
           SelectedDay >= 0 && SelectedDay < 7;
}

// The row Add appends: the unit's own fields, which for a unit without separators is the
// EntryLine of the entry it stores.
std::u16string AddedRowText(const TrainingUnit& unit) {
    return unit.name + u'\n' + FormatInteger(unit.count1) + u" - " + FormatInteger(unit.count2) +
           u'\n' + unit.description;
}

}  // namespace

bool HoldsSeparator(std::u16string_view text) {
    return text.find_first_of(u"|\\") != std::u16string_view::npos;
}

void ClearUnitFields() {
    UiServices& ui = CurrentUi();
    ui.SetText(NameField, u"");
    ui.SetText(Count1Field, u"");
    ui.SetText(Count2Field, u"");
    ui.SetText(DescriptionField, u"");
}

void AddSelectedUnit() {
    UiServices& ui = CurrentUi();
    if (UnitCount() == 0) {
        ShowError(u"AddButton", u"");
        return;
    }
    WholeNumber position = WholeNumber(ui.GetState(UnitCombo));
    if (position < 0 || position >= UnitCount()) return;
    const TrainingUnit& unit = UnitAt(position);
    // Only a hand-edited units.txt can bring a "\" here; it would split into two entries.
    if (unit.name.find(u'\\') != std::u16string::npos ||
        unit.description.find(u'\\') != std::u16string::npos) {
        ShowError(u"Separator", u"");
        return;
    }
    if (!SelectedDayExists()) return;
    ui.AddItem(EntryList, AddedRowText(unit));
    AppendDayEntry(SelectedWeek, SelectedDay, unit);
}

void DeleteSelectedEntry() {
    UiServices& ui = CurrentUi();
    std::intptr_t row = ui.GetState(EntryList);
    if (row < 0) {
        ShowError(u"DeleteButton", u"");
        return;
    }
    if (SelectedDayExists()) RemoveDayEntry(SelectedWeek, SelectedDay, WholeNumber(row));
    ui.RemoveItem(EntryList, row);
}

void SaveBothFiles() {
    // Both are attempted, history first; each reports its own failure.
    bool historySaved = SaveWeekHistory();
    bool unitsSaved = SaveUnitCatalogue();
    if (!historySaved || !unitsSaved) return;
    UiServices& ui = CurrentUi();
    ui.SetText(SaveButton, LookupText(u"Global", u"Saved"));
    ui.Pause(SavedPauseMs);
    ui.SetText(SaveButton, LookupText(u"Global", u"Save"));
}

void CreateUnitFromFields() {
    UiServices& ui = CurrentUi();
    std::u16string name = ui.GetText(NameField);
    std::u16string count1 = ui.GetText(Count1Field);
    std::u16string count2 = ui.GetText(Count2Field);
    std::u16string description = ui.GetText(DescriptionField);
    if (HoldsSeparator(name) || HoldsSeparator(description)) {
        ShowError(u"Separator", u"");
        return;
    }
    AddUnit(std::move(name), WholeNumber(ParseInteger(count1)), WholeNumber(ParseInteger(count2)),
            std::move(description));
    FillUnitCombo();
    ClearUnitFields();
    SetFieldsDisabled(true);
    ui.Pause(CreatePauseMs);
}

void SelectWeek() {
    SelectedWeek = WholeNumber(CurrentUi().GetState(WeekCombo));
    FillEntryList(SelectedWeek, SelectedDay);
}

void SelectDay() {
    SelectedDay = WholeNumber(CurrentUi().GetState(DayCombo));
    FillEntryList(SelectedWeek, SelectedDay);
}
