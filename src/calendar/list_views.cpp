// The row texts of the main window's four lists, built straight from the data; the controls
// they go to are created and filled by app/.
#include "calendar/list_views.h"

EntryRowWalk StartEntryRows(std::u16string_view dayText) {
    const std::u16string_view trimmed = TrimSpaces(dayText);
    return {trimmed, trimmed.empty()};
}

bool NextEntry(EntryRowWalk& walk, std::u16string_view& entry) {
    if (walk.done) return false;
    const std::size_t separator = walk.rest.find(u'\\');
    entry = walk.rest.substr(0, separator);
    if (separator == std::u16string_view::npos) {
        walk.done = true;
    } else {
        walk.rest.remove_prefix(separator + 1);
    }
    return true;
}

bool NextEntryRow(EntryRowWalk& walk, std::u16string& row) {
    std::u16string_view entry;
    if (!NextEntry(walk, entry)) return false;
    std::u16string_view fields[4];
    CutFields(entry, u'|', fields, 4);
    row.clear();
    // LF, " - " and LF take the room of at most three "|" and two more units.
    row.reserve(entry.size() + 5);
    row += fields[0];
    row += u'\n';
    row += fields[1];
    row += u" - ";
    row += fields[2];
    row += u'\n';
    row += fields[3];
    return true;
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

std::u16string WeekRowText(const TextTable& texts, const TrainingWeek& week) {
    return LookupText(texts, u"Calendar", u"Week") + FormatInteger(week.weekNumber);
}

std::u16string DayRowText(const TextTable& texts, WholeNumber dayIndex) {
    if (dayIndex < 0 || dayIndex > 6) return LookupText(texts, u"Days", u"");
    return LookupText(texts, u"Days", DayKeys[std::size_t(dayIndex)]);
}
