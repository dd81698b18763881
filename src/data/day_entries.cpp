// The entries of one day text: read, replace, append and remove, each in one pass over
// the text. Out-of-range week positions and day indices are ignored, never an error.
#include "data/day_entries.h"

#include <utility>

namespace {

const std::u16string* DayTextAt(const Document& document, WholeNumber week, WholeNumber day) {
    if (week < 0 || static_cast<std::size_t>(week) >= document.history.size()) return nullptr;
    if (day < 0 || day > 6) return nullptr;
    return &document.history[static_cast<std::size_t>(week)].days[static_cast<std::size_t>(day)];
}

std::u16string* DayTextAt(Document& document, WholeNumber week, WholeNumber day) {
    return const_cast<std::u16string*>(DayTextAt(std::as_const(document), week, day));
}

}  // namespace

std::u16string_view GetDayText(const Document& document, WholeNumber week, WholeNumber day) {
    const std::u16string* text = DayTextAt(document, week, day);
    return text ? std::u16string_view(*text) : std::u16string_view();
}

void SetDayText(Document& document, WholeNumber week, WholeNumber day, std::u16string text) {
    if (std::u16string* target = DayTextAt(document, week, day)) *target = std::move(text);
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

void AppendDayEntry(Document& document, WholeNumber week, WholeNumber day,
                    const TrainingUnit& unit) {
    std::u16string* text = DayTextAt(document, week, day);
    if (!text) return;
    // Only an exactly empty text has no entry yet; a text of spaces counts as one.
    if (!text->empty()) *text += u'\\';
    *text += DayEntryOf(unit);
}

// Joining every entry but the removed one with "\" and dropping the final "\" amounts to
// cutting the entry out together with the separator after it (or, for the last entry,
// the separator before it). A text without "\" holds at most one entry and becomes "".
void RemoveDayEntry(Document& document, WholeNumber week, WholeNumber day, WholeNumber position) {
    std::u16string* text = DayTextAt(document, week, day);
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
