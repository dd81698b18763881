// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue merge, by the units' lines as the file holds them: an equal line is counted
// off, never compared twice.
#include "data/merge_units.h"

#include <string>
#include <unordered_map>

#include "data/day_entries.h"

std::vector<TrainingUnit> MergeCatalogues(std::span<const TrainingUnit> base,
                                          const std::vector<TrainingUnit>& disk,
                                          std::span<const TrainingUnit> held) {
    std::vector<TrainingUnit> merged(base.begin(), base.end());
    merged.reserve(base.size() + disk.size() + held.size());
    std::unordered_map<std::u16string, std::size_t> inBase;
    for (const TrainingUnit& unit : base) ++inBase[DayEntryOf(unit)];
    std::unordered_map<std::u16string, std::size_t> addedOnDisk;
    for (const TrainingUnit& unit : disk) {
        std::u16string line = DayEntryOf(unit);
        const auto known = inBase.find(line);
        if (known != inBase.end() && known->second > 0) {
            --known->second;
            continue;
        }
        ++addedOnDisk[std::move(line)];
        merged.push_back(unit);
    }
    for (std::size_t at = base.size(); at < held.size(); ++at) {
        const auto same = addedOnDisk.find(DayEntryOf(held[at]));
        if (same != addedOnDisk.end() && same->second > 0) {
            --same->second;
            continue;
        }
        merged.push_back(held[at]);
    }
    return merged;
}
