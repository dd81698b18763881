// Small text helpers shared by every line format: fields, integers, trimming.
// Positions and counts are in UTF-16 code units.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Whole numbers of the program: 64-bit in a 64-bit build, 32-bit in a 32-bit build.
using WholeNumber = std::intptr_t;

// Fields 1 .. count (at most MostCutFields) of `text` between the separators, as views: field
// n ends at separator n, the last field found runs to the end of the text, and fields past it
// are "". Cut in one pass: separators are found eight code units at a time.
inline constexpr std::size_t MostCutFields = 16;
void CutFields(std::u16string_view text, char16_t separator, std::u16string_view* fields,
               std::size_t count);
// Leading blanks/tabs, sign, then "$" hex, "%" binary or decimal digits; wraps in 64 bits.
std::int64_t ParseInteger(std::u16string_view text);
std::u16string FormatInteger(std::int64_t value);
// The same digits written into a caller's buffer (for the savers' hot loops); the view
// points into `digits`.
using IntegerDigits = std::array<char16_t, 20>;
std::u16string_view FormatIntegerInto(std::int64_t value, IntegerDigits& digits);
// True when the text holds a control character below U+0020 other than the tab: a line
// break or NUL would split or cut the line formats' records.
bool HoldsControlCharacter(std::u16string_view text);
// Without leading and trailing U+0020 only.
std::u16string_view TrimSpaces(std::u16string_view text);
