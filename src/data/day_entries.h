// Day texts and their entries: entries joined by "\", each name|count1|count2|description.
// A week position or day index out of range gives "" and changes nothing.
#pragma once

#include <string>
#include <string_view>

#include "data/document.h"

// The view stays valid until the document changes.
std::u16string_view GetDayText(const Document& document, WholeNumber week, WholeNumber day);
void SetDayText(Document& document, WholeNumber week, WholeNumber day, std::u16string text);
// The entry text of a unit: name|count1|count2|description.
std::u16string DayEntryOf(const TrainingUnit& unit);
void AppendDayEntry(Document& document, WholeNumber week, WholeNumber day,
                    const TrainingUnit& unit);
// Linear in the day text's length.
void RemoveDayEntry(Document& document, WholeNumber week, WholeNumber day, WholeNumber position);
