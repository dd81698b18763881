// SPDX-License-Identifier: GPL-3.0-or-later
// The simple upper-case mapping used where texts are matched without regard to letter case
// (text keys, placeholders). The mapping table itself is upper_case.cpp's.
#pragma once

#include <string>
#include <string_view>

// Simple Unicode upper-case mapping, code unit by code unit.
char16_t UpperCaseOf(char16_t c);
std::u16string UpperCase(std::u16string_view text);
