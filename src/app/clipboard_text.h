// SPDX-License-Identifier: GPL-3.0-or-later
// The clipboard's text form of day entries: one entry per line in the catalogue's own line
// form, name|count1|count2|description, read and written by the catalogue's line rules.
// Getting and setting the clipboard itself is the back ends' work.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/document.h"

// The line end after every line the program puts on the clipboard: the platform's own.
#ifdef _WIN32
inline constexpr std::u16string_view ClipboardLineEnd = u"\r\n";
#else
inline constexpr std::u16string_view ClipboardLineEnd = u"\n";
#endif

// The entries of a day text as the entry list counts them, entry `row` alone or every entry for
// a row of -1: each read as a catalogue line and written as a save writes one, followed by
// ClipboardLineEnd. An entry that holds nothing but spaces gives no line.
std::u16string ClipboardTextOfEntries(std::u16string_view dayText, WholeNumber row);
// The units of a clipboard text, in order: every non-blank line (ended by CR LF, CR or LF) read
// as a catalogue line. False, with no units, when a line holds "\" or a control character
// other than the tab, or when no line gives a unit.
bool ReadClipboardUnits(std::u16string_view text, std::vector<TrainingUnit>& units);
