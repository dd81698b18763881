// SPDX-License-Identifier: GPL-3.0-or-later
// The three-way merge of the week history: the base's weeks, the weeks on disk (changes made
// elsewhere) and the weeks held here. Weeks are matched by number and position: the base's
// weeks stand as one run on each side, weeks before it were added at the front, weeks after
// it appended; days merge by merge_days.h.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "data/document.h"

struct HistoryBaseView {
    std::vector<WholeNumber> numbers;  // the base's weeks in order
    // The text of day `day` (0..6) of base week `week`.
    std::function<std::u16string_view(std::size_t week, std::size_t day)> dayText;
    bool known = true;  // false: no base at all, both sides are united
};

// A base that is a list of weeks of its own (a backup, a test's table).
HistoryBaseView BaseOfWeeks(const std::vector<TrainingWeek>& weeks);

struct HistoryMerge {
    std::vector<TrainingWeek> weeks;
    std::vector<std::size_t> heldPositions;  // where each held week stands in `weeks`
    bool threeWay = false;                   // the base's weeks were found on both sides
};

// The merge. `heldOffset` is where the base's weeks stand among the held ones (none: they do
// not stand there, or it is to be searched). Where the base's weeks are not found on a side,
// or there is no base, both lists are united: weeks matched by number in order, every week of
// either side kept, their days' entries united. A week appended (or put in front) on both
// sides with the same number is kept once, its days united.
HistoryMerge MergeHistories(const HistoryBaseView& base, const std::vector<TrainingWeek>& disk,
                            const std::vector<TrainingWeek>& held,
                            std::optional<std::size_t> heldOffset = std::nullopt);
