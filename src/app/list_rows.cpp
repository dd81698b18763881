// SPDX-License-Identifier: GPL-3.0-or-later
// The row texts of the main window's four lists, built straight from the data; the controls
// they go to are filled by list_fills.cpp.
#include "app/list_rows.h"

void EntryRowInto(std::u16string_view name, std::u16string_view count1, std::u16string_view count2,
                  std::u16string_view description, std::u16string& row) {
    row.clear();
    row.reserve(name.size() + count1.size() + count2.size() + description.size() + 5);
    row += name;
    row += u'\n';
    row += count1;
    row += u" - ";
    row += count2;
    row += u'\n';
    row += description;
}

bool NextEntryRow(DayEntryWalk& walk, std::u16string& row) {
    std::u16string_view text;
    if (!NextDayEntry(walk, text)) return false;
    const DayEntry entry = CutDayEntry(text);
    EntryRowInto(entry.name, entry.count1, entry.count2, entry.description, row);
    return true;
}

std::u16string EntryRowOfUnit(const TrainingUnit& unit) {
    std::u16string row;
    EntryRowInto(unit.Name(), FormatInteger(unit.count1), FormatInteger(unit.count2),
                 unit.Description(), row);
    return row;
}

std::u16string UnitRowText(const TrainingUnit& unit) {
    std::u16string row(unit.Name());
    row += u": ";
    row += FormatInteger(unit.count1);
    row += u'-';
    row += FormatInteger(unit.count2);
    row += u" | ";
    row += unit.Description();
    return row;
}

std::u16string WeekRowText(const TextTable& texts, const TrainingWeek& week) {
    return LookupText(texts, u"Calendar", u"Week") + FormatInteger(week.weekNumber);
}

std::u16string DayRowText(const TextTable& texts, WholeNumber dayIndex) {
    if (dayIndex < 0 || dayIndex > 6) return LookupText(texts, u"Days", u"");
    return LookupText(texts, u"Days", DayKeys[std::size_t(dayIndex)]);
}
