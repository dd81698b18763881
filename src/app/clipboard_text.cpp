// SPDX-License-Identifier: GPL-3.0-or-later
// Day entries to clipboard lines and back. Both ways go through the catalogue's own line
// reader and the entry rules of data/day_entries.h, so a pasted plan obeys exactly the rules
// of units/units.txt.
#include "app/clipboard_text.h"

#include "data/day_entries.h"
#include "data/unit_catalogue.h"

namespace {

void AppendEntryLine(std::u16string_view entry, std::u16string& text) {
    TrainingUnit unit;
    if (!ReadUnitLine(entry, unit)) return;
    // Written as the catalogue's save writes a unit: a hand-edited "$1F" becomes "31".
    text += DayEntryOf(unit);
    text += ClipboardLineEnd;
}

}  // namespace

std::u16string ClipboardTextOfEntries(std::u16string_view dayText, WholeNumber row) {
    // The entries exactly as the entry list counts its rows.
    DayEntryWalk walk = StartDayEntries(dayText);
    std::u16string text;
    std::u16string_view entry;
    for (WholeNumber position = 0; NextDayEntry(walk, entry); ++position) {
        if (row < 0 || position == row) AppendEntryLine(entry, text);
        if (position == row) break;
    }
    return text;
}

bool ReadClipboardUnits(std::u16string_view text, std::vector<TrainingUnit>& units) {
    units.clear();
    for (;;) {
        const std::size_t end = text.find_first_of(u"\r\n");
        const std::u16string_view line = text.substr(0, end);
        if (!FitsInOneEntry(line)) {
            units.clear();
            return false;
        }
        TrainingUnit unit;
        if (ReadUnitLine(line, unit)) units.push_back(std::move(unit));
        if (end == std::u16string_view::npos) break;
        const bool crLf = text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n';
        text.remove_prefix(end + (crLf ? 2 : 1));
    }
    return !units.empty();
}
