// The row texts of the main window's four lists and the fills that rebuild them on
// CurrentUi(); the controls themselves are created by app/.
#include "calendar/list_views.h"

#include "app/app_state.h"
#include "app/control_ids.h"
#include "app/ui_services.h"
#include "data/day_entries.h"
#include "text/text_table.h"

namespace {

constexpr const char16_t* MondayFirstKeys[7] = {u"Monday", u"Tuesday",  u"Wednesday", u"Thursday",
                                                u"Friday", u"Saturday", u"Sunday"};

}  // namespace

std::u16string EntryLine(std::u16string_view entry) {
    std::u16string line = FieldOf(entry, 1, u"|");
    line += u'\n';
    line += FieldOf(entry, 2, u"|");
    line += u" - ";
    line += FieldOf(entry, 3, u"|");
    line += u'\n';
    line += FieldOf(entry, 4, u"|");
    return line;
}

// Every "\"-separated piece of the trimmed text is one entry, the whole text when there is
// no "\"; the text is walked once rather than asking FieldOf for each entry number.
std::vector<std::u16string> EntryRows(std::u16string_view dayText) {
    std::vector<std::u16string> rows;
    std::u16string trimmed = TrimSpaces(dayText);
    if (trimmed.empty()) return rows;
    std::u16string_view rest = trimmed;
    for (;;) {
        std::size_t separator = rest.find(u'\\');
        rows.push_back(EntryLine(rest.substr(0, separator)));
        if (separator == std::u16string_view::npos) break;
        rest.remove_prefix(separator + 1);
    }
    return rows;
}

std::u16string UnitRowText(const TrainingUnit& unit) {
    std::u16string row = unit.name;
    row += u": ";
    row += FormatInteger(unit.count1);
    row += u'-';
    row += FormatInteger(unit.count2);
    row += u" | ";
    row += unit.description;
    return row;
}

std::u16string WeekRowText(const TrainingWeek& week) {
    return LookupText(u"Calendar", u"Week") + FormatInteger(week.weekNumber);
}

std::u16string DayRowText(WholeNumber dayIndex) {
    if (dayIndex < 0 || dayIndex > 6) return LookupText(u"Days", u"");
    return LookupText(u"Days", MondayFirstKeys[dayIndex]);
}

void FillEntryList(WholeNumber week, WholeNumber day) {
    UiServices& ui = CurrentUi();
    ui.RemoveAllItems(EntryList);
    // GetDayText gives "" for a week or day outside the history: no rows then.
    for (const std::u16string& row : EntryRows(GetDayText(week, day))) ui.AddItem(EntryList, row);
}

void FillWeekCombo() {
    UiServices& ui = CurrentUi();
    ui.RemoveAllItems(WeekCombo);
    for (const TrainingWeek& week : WeekHistory) ui.AddItem(WeekCombo, WeekRowText(week));
    ui.SetState(WeekCombo, SelectedWeek);
}

void FillDayCombo() {
    UiServices& ui = CurrentUi();
    ui.RemoveAllItems(DayCombo);
    for (WholeNumber day = 0; day < 7; ++day) ui.AddItem(DayCombo, DayRowText(day));
    ui.SetState(DayCombo, SelectedDay);
}

void FillUnitCombo() {
    UiServices& ui = CurrentUi();
    ui.RemoveAllItems(UnitCombo);
    for (const TrainingUnit& unit : UnitCatalogue) ui.AddItem(UnitCombo, UnitRowText(unit));
    ui.SetState(UnitCombo, UnitCount() - 1);
}
