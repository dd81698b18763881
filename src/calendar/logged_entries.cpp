// Cutting a day text into entries for the exports, and the saturating volume arithmetic:
// counts are whole numbers of any size, and a report must never wrap into nonsense.
#include "calendar/logged_entries.h"

#include <limits>

namespace {

constexpr std::int64_t LargestVolume = std::numeric_limits<std::int64_t>::max();

LoggedEntry EntryOf(std::u16string_view text) {
    std::u16string_view fields[4];
    CutFields(text, u'|', fields, 4);
    LoggedEntry entry;
    entry.name = fields[0];
    entry.count1 = static_cast<WholeNumber>(ParseInteger(fields[1]));
    entry.count2 = static_cast<WholeNumber>(ParseInteger(fields[2]));
    entry.description = fields[3];
    return entry;
}

}  // namespace

void LoggedEntriesOf(std::u16string_view dayText, std::vector<LoggedEntry>& entries) {
    entries.clear();
    const std::size_t first = dayText.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return;
    std::u16string_view rest = dayText.substr(first, dayText.find_last_not_of(u' ') - first + 1);
    for (;;) {
        const std::size_t separator = rest.find(u'\\');
        entries.push_back(EntryOf(rest.substr(0, separator)));
        if (separator == std::u16string_view::npos) return;
        rest.remove_prefix(separator + 1);
    }
}

std::u16string_view UnitKeyOf(std::u16string_view name) {
    const std::size_t first = name.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return {};
    return name.substr(first, name.find_last_not_of(u' ') - first + 1);
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
