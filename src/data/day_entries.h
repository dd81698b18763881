// Day texts and their entries: entries joined by "\", each name|count1|count2|description.
// A week position or day index out of range gives "" and changes nothing.
#pragma once

#include <string>

#include "data/text_helpers.h"
#include "data/unit_catalogue.h"

std::u16string GetDayText(WholeNumber week, WholeNumber day);
void SetDayText(WholeNumber week, WholeNumber day, std::u16string text);
// The entry text of a unit: name|count1|count2|description.
std::u16string DayEntryOf(const TrainingUnit& unit);
void AppendDayEntry(WholeNumber week, WholeNumber day, const TrainingUnit& unit);
// Linear in the day text's length.
void RemoveDayEntry(WholeNumber week, WholeNumber day, WholeNumber position);
