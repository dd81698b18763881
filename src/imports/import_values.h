// SPDX-License-Identifier: GPL-3.0-or-later
// The values of an imported row: dates as the three programs write them, decimal numbers
// (weights, distances, times, RPE) kept as their shortest decimal text, whole counts, and the
// trimming and comparing of names. Parsing never throws and never reads past the field;
// false means the field does not parse.
#pragma once

#include <string>
#include <string_view>

#include "text/text_helpers.h"

// Dates outside these years are refused: no training was logged before, and four digits
// are all the formats write.
inline constexpr int FirstImportYear = 1900;
inline constexpr int LastImportYear = 9999;

// Without leading and trailing blanks and tabs.
std::u16string_view TrimBlanks(std::u16string_view text);
// Equal apart from the case of the letters A to Z.
bool SameIgnoringCase(std::u16string_view left, std::u16string_view right);

// "2024-01-22", optionally followed by a blank or "T" and a time (not read): the day as days
// from 1 January 1970. False for anything else and for a day that does not exist.
bool ParseIsoDay(std::u16string_view text, long long& day);
// "26 Jul 2025, 07:06" or "26 Jul 2025" (English month abbreviations in any case; the time
// is not read), else the ISO form above.
bool ParseDayMonthYear(std::u16string_view text, long long& day);

// A decimal number: blanks around, an optional "-", digits, and optionally one "." or ","
// with digits after it. `text` gets its shortest form with "." as the point ("080.50" is
// "80.5", "-0" is "0"); a blank field gives "" and true. At most 15 digits before and 6 after
// the point, so that the text stays short.
bool ParseDecimal(std::u16string_view field, std::u16string& text);
// A count of repetitions: a decimal whose fraction is only zeros, not below zero, within
// WholeNumber; a blank field gives 0.
bool ParseRepetitions(std::u16string_view field, WholeNumber& value);
// A count as Velmora's own CSV writes it: an optional "-" and decimal digits, within
// WholeNumber (so a 64-bit count does not fit a 32-bit build).
bool ParseWrittenCount(std::u16string_view field, WholeNumber& value);
