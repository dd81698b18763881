// SPDX-License-Identifier: GPL-3.0-or-later
// The day merge: each side's entries are matched against the base's (after the common start
// and end are taken off, in order, each base entry with its next equal entry on that side), so
// that an edit's additions fall into the gaps between base entries. Additions appear only by
// appending in this program, so the gaps are usually one, at the end.
#include "data/merge_days.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "data/day_entries.h"

namespace {

using Entries = std::vector<std::u16string_view>;

Entries EntriesOf(std::u16string_view dayText) {
    Entries entries;
    DayEntryWalk walk = StartDayEntries(dayText);
    std::u16string_view entry;
    while (NextDayEntry(walk, entry)) entries.push_back(entry);
    return entries;
}

// For each base entry, its position on the side (or npos: deleted there). In order: a base
// entry matches the next equal side entry after the previous match.
std::vector<std::size_t> MatchToBase(const Entries& base, const Entries& side) {
    constexpr std::size_t None = std::u16string_view::npos;
    std::vector<std::size_t> match(base.size(), None);
    std::size_t front = 0;
    while (front < base.size() && front < side.size() && base[front] == side[front]) {
        match[front] = front;
        ++front;
    }
    std::size_t backBase = base.size();
    std::size_t backSide = side.size();
    while (backBase > front && backSide > front && base[backBase - 1] == side[backSide - 1]) {
        --backBase;
        --backSide;
        match[backBase] = backSide;
    }
    // The middle: each entry text's positions on the side, taken in order.
    std::unordered_map<std::u16string_view, std::vector<std::size_t>> positions;
    for (std::size_t at = front; at < backSide; ++at) positions[side[at]].push_back(at);
    std::size_t after = front;  // the next side position a match may take
    for (std::size_t i = front; i < backBase; ++i) {
        const auto found = positions.find(base[i]);
        if (found == positions.end()) continue;
        const std::vector<std::size_t>& list = found->second;
        const auto next = std::lower_bound(list.begin(), list.end(), after);
        if (next == list.end()) continue;
        match[i] = *next;
        after = *next + 1;
    }
    return match;
}

// The side's entries that match no base entry, by the gap they stand in: gap g holds the
// additions before base entry g (gap base.size(): after the last).
std::vector<Entries> AdditionsByGap(const Entries& base, const Entries& side,
                                    const std::vector<std::size_t>& match) {
    std::vector<Entries> gaps(base.size() + 1);
    std::vector<bool> matched(side.size(), false);
    for (std::size_t position : match)
        if (position != std::u16string_view::npos) matched[position] = true;
    std::size_t gap = 0;
    for (std::size_t at = 0; at < side.size(); ++at) {
        if (matched[at]) {
            // The gap after the base entry this side entry matches.
            while (gap < base.size() && match[gap] != at) ++gap;
            ++gap;
            continue;
        }
        gaps[std::min(gap, base.size())].push_back(side[at]);
    }
    return gaps;
}

}  // namespace

std::u16string MergeDayText(std::u16string_view base, std::u16string_view disk,
                            std::u16string_view held) {
    if (disk == base || disk == held) return std::u16string(held);
    if (held == base) return std::u16string(disk);
    const Entries baseEntries = EntriesOf(base);
    const Entries diskEntries = EntriesOf(disk);
    const Entries heldEntries = EntriesOf(held);
    const std::vector<std::size_t> diskMatch = MatchToBase(baseEntries, diskEntries);
    const std::vector<std::size_t> heldMatch = MatchToBase(baseEntries, heldEntries);
    const std::vector<Entries> diskAdded = AdditionsByGap(baseEntries, diskEntries, diskMatch);
    const std::vector<Entries> heldAdded = AdditionsByGap(baseEntries, heldEntries, heldMatch);
    // An entry both sides added is kept once: each disk addition cancels one equal addition
    // of this side, wherever in the day it stands.
    std::unordered_map<std::u16string_view, std::size_t> diskAdditions;
    for (const Entries& gap : diskAdded)
        for (std::u16string_view entry : gap) ++diskAdditions[entry];
    std::u16string merged;
    bool first = true;
    const auto put = [&](std::u16string_view entry) {
        if (!first) merged += EntrySeparator;
        merged += entry;
        first = false;
    };
    // Gaps between which a base entry went are one place: their additions are put out
    // together, the disk's first, when the next kept base entry (or the end) comes.
    std::vector<std::u16string_view> pendingDisk;
    std::vector<std::u16string_view> pendingHeld;
    const auto flush = [&] {
        for (std::u16string_view entry : pendingDisk) put(entry);
        for (std::u16string_view entry : pendingHeld) {
            const auto same = diskAdditions.find(entry);
            if (same != diskAdditions.end() && same->second > 0) {
                --same->second;
                continue;
            }
            put(entry);
        }
        pendingDisk.clear();
        pendingHeld.clear();
    };
    for (std::size_t gap = 0; gap <= baseEntries.size(); ++gap) {
        pendingDisk.insert(pendingDisk.end(), diskAdded[gap].begin(), diskAdded[gap].end());
        pendingHeld.insert(pendingHeld.end(), heldAdded[gap].begin(), heldAdded[gap].end());
        if (gap == baseEntries.size()) break;
        const bool kept = diskMatch[gap] != std::u16string_view::npos &&
                          heldMatch[gap] != std::u16string_view::npos;
        if (!kept) continue;
        flush();
        put(baseEntries[gap]);
    }
    flush();
    return merged;
}
