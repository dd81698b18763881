// The entries of one day text: read, replace, append and remove, each in one pass over
// the text. Out-of-range week positions and day indices are ignored, never an error.
#include "data/day_entries.h"

#include "data/week_history.h"

namespace {

std::u16string* DayTextAt(WholeNumber week, WholeNumber day) {
    if (week < 0 || static_cast<std::size_t>(week) >= WeekHistory.size()) return nullptr;
    if (day < 0 || day > 6) return nullptr;
    return &WeekHistory[static_cast<std::size_t>(week)].days[static_cast<std::size_t>(day)];
}

}  // namespace

std::u16string GetDayText(WholeNumber week, WholeNumber day) {
    const std::u16string* text = DayTextAt(week, day);
    return text ? *text : std::u16string();
}

void SetDayText(WholeNumber week, WholeNumber day, std::u16string text) {
    if (std::u16string* target = DayTextAt(week, day)) *target = std::move(text);
}

std::u16string DayEntryOf(const TrainingUnit& unit) {
    std::u16string entry = unit.name;
    entry += u'|';
    entry += FormatInteger(unit.count1);
    entry += u'|';
    entry += FormatInteger(unit.count2);
    entry += u'|';
    entry += unit.description;
    return entry;
}

void AppendDayEntry(WholeNumber week, WholeNumber day, const TrainingUnit& unit) {
    std::u16string* text = DayTextAt(week, day);
    if (!text) return;
    // Only an exactly empty text has no entry yet; a text of spaces counts as one.
    if (!text->empty()) *text += u'\\';
    *text += DayEntryOf(unit);
}

// Joining every entry but the removed one with "\" and dropping the final "\" amounts to
// cutting the entry out together with the separator after it (or, for the last entry,
// the separator before it). A text without "\" holds at most one entry and becomes "".
void RemoveDayEntry(WholeNumber week, WholeNumber day, WholeNumber position) {
    std::u16string* text = DayTextAt(week, day);
    if (!text) return;
    std::size_t start = 0;
    std::size_t separator = text->find(u'\\');
    if (separator == std::u16string::npos) {
        text->clear();
        return;
    }
    if (position < 0) return;
    for (WholeNumber entry = 0; entry < position; ++entry) {
        if (separator == std::u16string::npos) return;  // past the last entry
        start = separator + 1;
        separator = text->find(u'\\', start);
    }
    if (separator == std::u16string::npos) {
        text->erase(start - 1);  // the last entry and the separator before it
    } else {
        text->erase(start, separator + 1 - start);
    }
}
