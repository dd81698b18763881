// SPDX-License-Identifier: GPL-3.0-or-later
// The history merge: the base's run of week numbers is looked up on each side (where it
// appears more than once, the place whose days agree most with the base's wins), the run's
// weeks merge day by day, and the weeks before and after it are united by an alignment of
// their numbers. Linear in the weeks for the usual case; the alignment of weeks added on both
// sides is quadratic in those weeks only, and bounded.
#include "data/merge_history.h"

#include <algorithm>
#include <cstdint>

#include "data/merge_days.h"

namespace {

// At most this many places of the base's run are weighed against each other.
constexpr std::size_t MostRunPlaces = 16;
// An alignment of weeks added on both sides beyond this many pairs matches nothing more: every
// week is still kept.
constexpr std::size_t MostAlignedPairs = 4'000'000;

std::vector<WholeNumber> NumbersOf(const std::vector<TrainingWeek>& weeks) {
    std::vector<WholeNumber> numbers;
    numbers.reserve(weeks.size());
    for (const TrainingWeek& week : weeks) numbers.push_back(week.weekNumber);
    return numbers;
}

std::optional<std::size_t> FindRun(const HistoryBaseView& base,
                                   const std::vector<TrainingWeek>& side) {
    if (base.numbers.empty()) return std::nullopt;
    const std::vector<std::size_t> places =
        PlacesOfRun(NumbersOf(side), base.numbers, MostRunPlaces);
    if (places.empty()) return std::nullopt;
    if (places.size() == 1) return places.front();
    std::size_t best = places.front();
    std::size_t bestScore = 0;
    for (std::size_t place : places) {
        std::size_t score = 0;
        for (std::size_t week = 0; week < base.numbers.size(); ++week)
            for (std::size_t day = 0; day < 7; ++day)
                score += side[place + week].days[day] == base.dayText(week, day);
        if (score > bestScore) {
            best = place;
            bestScore = score;
        }
    }
    return best;
}

TrainingWeek UnitedWeek(const TrainingWeek& disk, const TrainingWeek& held) {
    TrainingWeek week;
    week.weekNumber = disk.weekNumber;
    for (std::size_t day = 0; day < 7; ++day)
        week.days[day] = MergeDayText(u"", disk.days[day], held.days[day]);
    return week;
}

// For each held week of held[heldFrom, heldTo), the disk week of disk[diskFrom, diskTo) it is
// aligned with (or npos): the longest common run of numbers in order, after the common start
// and end.
std::vector<std::size_t> AlignByNumber(const std::vector<TrainingWeek>& disk, std::size_t diskFrom,
                                       std::size_t diskTo, const std::vector<TrainingWeek>& held,
                                       std::size_t heldFrom, std::size_t heldTo) {
    constexpr std::size_t None = std::size_t(-1);
    const std::size_t heldStart = heldFrom;
    std::vector<std::size_t> pair(heldTo - heldFrom, None);
    while (diskFrom < diskTo && heldFrom < heldTo &&
           disk[diskFrom].weekNumber == held[heldFrom].weekNumber)
        pair[heldFrom++ - heldStart] = diskFrom++;
    while (diskTo > diskFrom && heldTo > heldFrom &&
           disk[diskTo - 1].weekNumber == held[heldTo - 1].weekNumber)
        pair[--heldTo - heldStart] = --diskTo;
    const std::size_t rows = diskTo - diskFrom;
    const std::size_t columns = heldTo - heldFrom;
    if (rows == 0 || columns == 0 || rows * columns > MostAlignedPairs) return pair;
    // length[i][j]: the longest common run of disk[diskFrom + i ..] and held[heldFrom + j ..].
    std::vector<std::uint32_t> length((rows + 1) * (columns + 1), 0);
    const auto at = [columns](std::size_t i, std::size_t j) { return i * (columns + 1) + j; };
    for (std::size_t i = rows; i-- > 0;)
        for (std::size_t j = columns; j-- > 0;)
            length[at(i, j)] = disk[diskFrom + i].weekNumber == held[heldFrom + j].weekNumber
                                   ? length[at(i + 1, j + 1)] + 1
                                   : std::max(length[at(i + 1, j)], length[at(i, j + 1)]);
    for (std::size_t i = 0, j = 0; i < rows && j < columns;) {
        if (disk[diskFrom + i].weekNumber == held[heldFrom + j].weekNumber) {
            pair[heldFrom + j - heldStart] = diskFrom + i;
            ++i;
            ++j;
        } else if (length[at(i + 1, j)] >= length[at(i, j + 1)]) {
            ++i;
        } else {
            ++j;
        }
    }
    return pair;
}

// Appends the union of disk[diskFrom, diskTo) and held[heldFrom, heldTo) to the merge: aligned
// weeks once with their days united, the others in order, the disk's before the held ones
// between two aligned weeks.
void UniteWeeks(const std::vector<TrainingWeek>& disk, std::size_t diskFrom, std::size_t diskTo,
                const std::vector<TrainingWeek>& held, std::size_t heldFrom, std::size_t heldTo,
                HistoryMerge& merge) {
    constexpr std::size_t None = std::size_t(-1);
    const std::vector<std::size_t> pair =
        AlignByNumber(disk, diskFrom, diskTo, held, heldFrom, heldTo);
    std::size_t nextDisk = diskFrom;
    std::size_t nextHeld = heldFrom;  // the first held week not yet in the merge
    const auto putHeldUpTo = [&](std::size_t end) {
        for (; nextHeld < end; ++nextHeld) {
            merge.heldPositions[nextHeld] = merge.weeks.size();
            merge.weeks.push_back(held[nextHeld]);
        }
    };
    for (std::size_t h = heldFrom; h < heldTo; ++h) {
        const std::size_t partner = pair[h - heldFrom];
        if (partner == None) continue;
        while (nextDisk < partner) merge.weeks.push_back(disk[nextDisk++]);
        putHeldUpTo(h);
        merge.heldPositions[h] = merge.weeks.size();
        merge.weeks.push_back(UnitedWeek(disk[partner], held[h]));
        nextDisk = partner + 1;
        nextHeld = h + 1;
    }
    while (nextDisk < diskTo) merge.weeks.push_back(disk[nextDisk++]);
    putHeldUpTo(heldTo);
}

}  // namespace

HistoryBaseView BaseOfWeeks(const std::vector<TrainingWeek>& weeks) {
    HistoryBaseView base;
    base.numbers = NumbersOf(weeks);
    base.dayText = [&weeks](std::size_t week, std::size_t day) -> std::u16string_view {
        return weeks[week].days[day];
    };
    return base;
}

HistoryMerge MergeHistories(const HistoryBaseView& base, const std::vector<TrainingWeek>& disk,
                            const std::vector<TrainingWeek>& held,
                            std::optional<std::size_t> heldOffset) {
    HistoryMerge merge;
    merge.heldPositions.assign(held.size(), 0);
    merge.weeks.reserve(std::max(disk.size(), held.size()) + 8);
    std::optional<std::size_t> diskOffset;
    if (base.known && !base.numbers.empty()) {
        diskOffset = FindRun(base, disk);
        if (!heldOffset) heldOffset = FindRun(base, held);
    }
    const std::size_t run = base.numbers.size();
    if (!diskOffset || !heldOffset || *heldOffset + run > held.size()) {
        UniteWeeks(disk, 0, disk.size(), held, 0, held.size(), merge);
        return merge;
    }
    merge.threeWay = true;
    UniteWeeks(disk, 0, *diskOffset, held, 0, *heldOffset, merge);
    for (std::size_t week = 0; week < run; ++week) {
        const TrainingWeek& diskWeek = disk[*diskOffset + week];
        const TrainingWeek& heldWeek = held[*heldOffset + week];
        TrainingWeek& merged = merge.weeks.emplace_back();
        merged.weekNumber = base.numbers[week];
        for (std::size_t day = 0; day < 7; ++day)
            merged.days[day] =
                MergeDayText(base.dayText(week, day), diskWeek.days[day], heldWeek.days[day]);
        merge.heldPositions[*heldOffset + week] = merge.weeks.size() - 1;
    }
    UniteWeeks(disk, *diskOffset + run, disk.size(), held, *heldOffset + run, held.size(), merge);
    return merge;
}
