// SPDX-License-Identifier: GPL-3.0-or-later
// Cutting a day text into entries for the exports, and the saturating volume arithmetic:
// counts are whole numbers of any size, and a report must never wrap into nonsense.
#include "reports/logged_entries.h"

#include <limits>

#include "data/day_entries.h"

namespace {

constexpr std::int64_t LargestVolume = std::numeric_limits<std::int64_t>::max();

LoggedEntry EntryOf(std::u16string_view text) {
    const DayEntry fields = CutDayEntry(text);
    return {fields.name, ParseCount(fields.count1), ParseCount(fields.count2), fields.description};
}

}  // namespace

void LoggedEntriesOf(std::u16string_view dayText, std::vector<LoggedEntry>& entries) {
    entries.clear();
    DayEntryWalk walk = StartDayEntries(dayText);
    std::u16string_view entry;
    while (NextDayEntry(walk, entry)) entries.push_back(EntryOf(entry));
}

std::u16string_view UnitKeyOf(std::u16string_view name) {
    return TrimSpaces(name);
}

std::int64_t EntryVolume(const LoggedEntry& entry) {
    const std::int64_t first = entry.count1 > 0 ? static_cast<std::int64_t>(entry.count1) : 0;
    const std::int64_t second = entry.count2 > 0 ? static_cast<std::int64_t>(entry.count2) : 0;
    if (first == 0 || second == 0) return 0;
    if (first > LargestVolume / second) return LargestVolume;
    return first * second;
}

std::int64_t AddVolumes(std::int64_t left, std::int64_t right) {
    if (left > LargestVolume - right) return LargestVolume;
    return left + right;
}
