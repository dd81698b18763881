// SPDX-License-Identifier: GPL-3.0-or-later
// Day texts and their entries: the one place that knows the entry format. A day text holds
// entries joined by "\", each entry name|count1|count2|description. Here are the entry as
// read, cutting it into its fields, walking a day text's entries, writing an entry back, what
// an entry may hold, and the changes of a day text. Out-of-range weeks and days give "" and
// change nothing.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "data/document.h"

// "\" ends an entry inside a day text; "|" ends a field inside an entry.
inline constexpr char16_t EntrySeparator = u'\\';
inline constexpr char16_t FieldSeparator = u'|';

// An entry's four fields as written, outer spaces included; a field beyond the entry's last
// "|" is "". The views point into the entry's text.
struct DayEntry {
    std::u16string_view name;
    std::u16string_view count1;
    std::u16string_view count2;
    std::u16string_view description;
};

// Field n ends at the n-th "|"; text after a fourth "|" belongs to no field. Inline: the
// catalogue load cuts every line.
inline DayEntry CutDayEntry(std::u16string_view entryText) {
    std::u16string_view fields[4];
    CutFields(entryText, FieldSeparator, fields, 4);
    return {fields[0], fields[1], fields[2], fields[3]};
}
// A count as the program keeps it: ParseInteger's rules in 64 bits, then the word width.
WholeNumber ParseCount(std::u16string_view field);
// The unit the entry names, the counts parsed; its texts' piece comes from `texts` when one is
// given (text_block.h).
TrainingUnit UnitOfEntry(const DayEntry& entry, TextBlock* texts = nullptr);
// The entry text of a unit: name|count1|count2|description, the counts in decimal.
std::u16string DayEntryOf(const TrainingUnit& unit);
// The same text as its seven parts, separators included, for writers that put them out
// without joining them first (inline: the catalogue save asks once per unit); the views point
// into the texts given and the two digit buffers.
using DayEntryParts = std::array<std::u16string_view, 7>;
inline DayEntryParts DayEntryPartsOf(std::u16string_view name, WholeNumber count1,
                                     WholeNumber count2, std::u16string_view description,
                                     IntegerDigits& digits1, IntegerDigits& digits2) {
    static constexpr char16_t Separator[] = {FieldSeparator, u'\0'};
    return {name,
            std::u16string_view(Separator, 1),
            FormatIntegerInto(count1, digits1),
            std::u16string_view(Separator, 1),
            FormatIntegerInto(count2, digits2),
            std::u16string_view(Separator, 1),
            description};
}
inline DayEntryParts DayEntryPartsOf(const TrainingUnit& unit, IntegerDigits& digits1,
                                     IntegerDigits& digits2) {
    return DayEntryPartsOf(unit.Name(), unit.count1, unit.count2, unit.Description(), digits1,
                           digits2);
}
// Appends the entry text of these fields to `text`, with room made for all of it at once.
void AppendEntryText(std::u16string& text, std::u16string_view name, WholeNumber count1,
                     WholeNumber count2, std::u16string_view description);

// The entries of a day text, handed out one at a time so that a day of many entries never
// needs them all at once: the text trimmed of spaces, then every "\"-separated piece (the
// whole text when it has no "\"); a text of spaces has none.
struct DayEntryWalk {
    std::u16string_view rest;  // the entries not yet handed out
    bool done = true;
};
DayEntryWalk StartDayEntries(std::u16string_view dayText);
// The next entry's text; false after the last. The view points into the day text.
bool NextDayEntry(DayEntryWalk& walk, std::u16string_view& entryText);

// A "\" would split an entry in two.
bool HoldsEntrySeparator(std::u16string_view text);
// A "|" or "\" would move an entry's fields or split it: no field may hold one.
bool HoldsFieldSeparator(std::u16string_view text);
// The text can stand in a day text whole as (a part of) one entry: no "\", and no control
// character but the tab, which would split or cut the history file's lines.
bool FitsInOneEntry(std::u16string_view text);

// The view stays valid until the document changes.
std::u16string_view GetDayText(const Document& document, WholeNumber week, WholeNumber day);
void SetDayText(Document& document, WholeNumber week, WholeNumber day, std::u16string text);
void AppendDayEntry(Document& document, WholeNumber week, WholeNumber day,
                    const TrainingUnit& unit);
// Linear in the day text's length.
void RemoveDayEntry(Document& document, WholeNumber week, WholeNumber day, WholeNumber position);
