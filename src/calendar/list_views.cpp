// The row texts of the main window's four lists and the fills that rebuild them on
// CurrentUi(); the controls themselves are created by app/.
#include "calendar/list_views.h"

#include "app/app_state.h"
#include "app/control_ids.h"
#include "app/ui_services.h"
#include "text/text_table.h"

namespace {

constexpr const char16_t* MondayFirstKeys[7] = {u"Monday", u"Tuesday",  u"Wednesday", u"Thursday",
                                                u"Friday", u"Saturday", u"Sunday"};

// field1 LF field2 " - " field3 LF field4, appended to `row` straight from the entry.
void AppendEntryLine(std::u16string& row, std::u16string_view entry) {
    std::u16string_view fields[4];
    CutFields(entry, u'|', fields, 4);
    // LF, " - " and LF take the room of at most three "|" and two more units.
    row.reserve(row.size() + entry.size() + 5);
    row += fields[0];
    row += u'\n';
    row += fields[1];
    row += u" - ";
    row += fields[2];
    row += u'\n';
    row += fields[3];
}

// Every "\"-separated piece of the day text trimmed of spaces is one entry, the whole text
// when there is no "\". Each row is built in `row`, whose room is reused from row to row,
// and handed to `take` before the next one is built: no list of all rows is ever held.
template <typename Take>
void ForEachEntryRow(std::u16string_view dayText, std::u16string& row, Take take) {
    const std::size_t first = dayText.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return;
    std::u16string_view rest = dayText.substr(first, dayText.find_last_not_of(u' ') - first + 1);
    for (;;) {
        const std::size_t separator = rest.find(u'\\');
        row.clear();
        AppendEntryLine(row, rest.substr(0, separator));
        take(row);
        if (separator == std::u16string_view::npos) return;
        rest.remove_prefix(separator + 1);
    }
}

// The day text itself, without the copy GetDayText makes; "" outside the history, as there.
std::u16string_view DayTextView(WholeNumber week, WholeNumber day) {
    if (week < 0 || static_cast<std::size_t>(week) >= WeekHistory.size() || day < 0 || day > 6)
        return {};
    return WeekHistory[static_cast<std::size_t>(week)].days[static_cast<std::size_t>(day)];
}

}  // namespace

std::u16string EntryLine(std::u16string_view entry) {
    std::u16string line;
    AppendEntryLine(line, entry);
    return line;
}

std::vector<std::u16string> EntryRows(std::u16string_view dayText) {
    std::vector<std::u16string> rows;
    std::u16string row;
    ForEachEntryRow(dayText, row, [&rows](const std::u16string& built) { rows.push_back(built); });
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
    // Rows go to the list as they are built: a day of many entries never needs them all twice.
    std::u16string row;
    ForEachEntryRow(DayTextView(week, day), row,
                    [&ui](const std::u16string& built) { ui.AddItem(EntryList, built); });
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
