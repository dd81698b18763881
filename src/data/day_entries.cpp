// SPDX-License-Identifier: GPL-3.0-or-later
// Entries and day texts: cut, walked, written, checked, appended and removed, each in one
// pass over the text. Out-of-range week positions and day indices are ignored, never an error.
#include "data/day_entries.h"

#include <utility>

#include "data/merge_base.h"

namespace {

const std::u16string* DayTextAt(const Document& document, WholeNumber week, WholeNumber day) {
    if (week < 0 || static_cast<std::size_t>(week) >= document.history.size()) return nullptr;
    if (day < 0 || day > 6) return nullptr;
    return &document.history[static_cast<std::size_t>(week)].days[static_cast<std::size_t>(day)];
}

// The one way to a day text that is about to change: the base of the next merge keeps the
// text the day had first.
std::u16string* DayTextAt(Document& document, WholeNumber week, WholeNumber day) {
    NoteDayOriginal(document, week, day);
    return const_cast<std::u16string*>(DayTextAt(std::as_const(document), week, day));
}

}  // namespace

// The counts the program writes itself (plain decimal digits, no sign) are parsed here
// directly, anything else by the general rules.
WholeNumber ParseCount(std::u16string_view field) {
    // 18 digits cannot overflow 64 bits, so no wrap-around needs imitating.
    if (field.empty() || field.size() > 18) return WholeNumber(ParseInteger(field));
    std::int64_t value = 0;
    for (char16_t unit : field) {
        const unsigned digit = static_cast<unsigned>(unit) - u'0';
        if (digit > 9) return WholeNumber(ParseInteger(field));
        value = value * 10 + static_cast<std::int64_t>(digit);
    }
    return WholeNumber(value);
}

TrainingUnit UnitOfEntry(const DayEntry& entry, TextBlock* texts) {
    return {entry.name, ParseCount(entry.count1), ParseCount(entry.count2), entry.description,
            texts};
}

std::u16string DayEntryOf(const TrainingUnit& unit) {
    std::u16string entry;
    AppendEntryText(entry, unit.Name(), unit.count1, unit.count2, unit.Description());
    return entry;
}

void AppendEntryText(std::u16string& text, std::u16string_view name, WholeNumber count1,
                     WholeNumber count2, std::u16string_view description) {
    IntegerDigits digits1;
    IntegerDigits digits2;
    const DayEntryParts parts =
        DayEntryPartsOf(name, count1, count2, description, digits1, digits2);
    std::size_t size = text.size();
    for (std::u16string_view part : parts) size += part.size();
    text.reserve(size);
    for (std::u16string_view part : parts) text += part;
}

DayEntryWalk StartDayEntries(std::u16string_view dayText) {
    const std::u16string_view trimmed = TrimSpaces(dayText);
    return {trimmed, trimmed.empty()};
}

bool NextDayEntry(DayEntryWalk& walk, std::u16string_view& entryText) {
    if (walk.done) return false;
    const std::size_t separator = walk.rest.find(EntrySeparator);
    entryText = walk.rest.substr(0, separator);
    if (separator == std::u16string_view::npos) {
        walk.done = true;
    } else {
        walk.rest.remove_prefix(separator + 1);
    }
    return true;
}

bool HoldsEntrySeparator(std::u16string_view text) {
    return text.find(EntrySeparator) != std::u16string_view::npos;
}

bool HoldsFieldSeparator(std::u16string_view text) {
    return text.find_first_of(u"|\\") != std::u16string_view::npos;
}

bool FitsInOneEntry(std::u16string_view text) {
    return !HoldsEntrySeparator(text) && !HoldsControlCharacter(text);
}

std::u16string_view GetDayText(const Document& document, WholeNumber week, WholeNumber day) {
    const std::u16string* text = DayTextAt(document, week, day);
    return text ? std::u16string_view(*text) : std::u16string_view();
}

void SetDayText(Document& document, WholeNumber week, WholeNumber day, std::u16string text) {
    if (std::u16string* target = DayTextAt(document, week, day)) *target = std::move(text);
}

void AppendDayEntry(Document& document, WholeNumber week, WholeNumber day,
                    const TrainingUnit& unit) {
    std::u16string* text = DayTextAt(document, week, day);
    if (!text) return;
    // Only an exactly empty text has no entry yet; a text of spaces counts as one.
    if (!text->empty()) *text += EntrySeparator;
    AppendEntryText(*text, unit.Name(), unit.count1, unit.count2, unit.Description());
}

// Joining every entry but the removed one with "\" and dropping the final "\" amounts to
// cutting the entry out together with the separator after it (or, for the last entry,
// the separator before it). A text without "\" holds at most one entry and becomes "".
void RemoveDayEntry(Document& document, WholeNumber week, WholeNumber day, WholeNumber position) {
    std::u16string* text = DayTextAt(document, week, day);
    if (!text) return;
    std::size_t start = 0;
    std::size_t separator = text->find(EntrySeparator);
    if (separator == std::u16string::npos) {
        text->clear();
        return;
    }
    if (position < 0) return;
    for (WholeNumber entry = 0; entry < position; ++entry) {
        if (separator == std::u16string::npos) return;  // past the last entry
        start = separator + 1;
        separator = text->find(EntrySeparator, start);
    }
    if (separator == std::u16string::npos) {
        text->erase(start - 1);  // the last entry and the separator before it
    } else {
        text->erase(start, separator + 1 - start);
    }
}
