// SPDX-License-Identifier: GPL-3.0-or-later
// The languages a new data folder can start in: which locale picks which language file, and
// the eight starter exercises in each. Writing them into the folder is data_folder's work.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The language file name (without ".txt") for the first set of LC_ALL, LC_MESSAGES and
// LANG: its language part (before "_", ".", "@") de, en, fr, es, it, pt, nl, pl, cs or sv
// picks Deutsch, English, Francais, ...; any other value "English". Null and empty values
// count as unset.
std::u16string LanguageForLocale(const char* lcAll, const char* lcMessages, const char* lang);
std::u16string LanguageFromEnvironment();
// The eight starter exercises in that language as lines of units/units.txt; the English
// ones for a language without its own.
std::vector<std::u16string> StarterUnitLines(std::u16string_view language);
