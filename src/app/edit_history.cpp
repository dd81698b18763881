// SPDX-License-Identifier: GPL-3.0-or-later
// The undo record: a list of steps, the point between the done and the undone ones, and how
// the steps' positions follow a merge. What a step shows and changes when it is applied is
// left to day_edits.cpp.
#include "app/edit_history.h"

#include <utility>

EditStep DayStep(DayChange change) {
    EditStep step;
    step.shownBefore = {change.week, change.day};
    step.shownAfter = step.shownBefore;
    step.days.push_back(std::move(change));
    return step;
}

void RecordStep(EditHistory& history, EditStep step) {
    history.steps.erase(history.steps.begin() + std::ptrdiff_t(history.done), history.steps.end());
    history.steps.push_back(std::move(step));
    if (history.steps.size() > MostEditSteps) history.steps.pop_front();
    history.done = history.steps.size();
}

EditStep* TakeUndoStep(EditHistory& history) {
    if (history.done == 0) return nullptr;
    --history.done;
    return &history.steps[history.done];
}

EditStep* TakeRedoStep(EditHistory& history) {
    if (history.done == history.steps.size()) return nullptr;
    return &history.steps[history.done++];
}

namespace {

using WeekMap = std::vector<std::size_t>;  // a position before the merge -> after it

WholeNumber Follow(const WeekMap& map, WholeNumber week) {
    if (week < 0 || std::size_t(week) >= map.size()) return week;
    return WholeNumber(map[std::size_t(week)]);
}

// The map of the history without the step's weeks, from the map of the history with them: the
// other weeks keep their order on both sides, the step's weeks are left out of both.
WeekMap WithoutStepWeeks(const WeekMap& with, const std::vector<StepWeek>& weeks) {
    WeekMap without;
    without.reserve(with.size());
    std::size_t next = 0;  // the next of the step's weeks, ascending
    for (std::size_t at = 0; at < with.size(); ++at) {
        if (next < weeks.size() && std::size_t(weeks[next].position) == at) {
            ++next;
            continue;
        }
        // `next` of the step's weeks stand before this one, on both sides.
        without.push_back(with[at] - next);
    }
    return without;
}

void FollowStep(EditStep& step, const WeekMap& with, const WeekMap& without) {
    for (DayChange& change : step.days) change.week = Follow(with, change.week);
    for (StepWeek& week : step.weeks) week.position = Follow(with, week.position);
    step.shownAfter.week = Follow(with, step.shownAfter.week);
    step.shownBefore.week = Follow(without, step.shownBefore.week);
}

}  // namespace

void FollowMergedWeeks(EditHistory& history, const std::vector<std::size_t>& positions) {
    // The steps done count in the history as it stood after each of them: the last one in the
    // history held now, each earlier one in that history without the weeks of the later ones.
    WeekMap map = positions;
    for (std::size_t step = history.done; step-- > 0;) {
        EditStep& done = history.steps[step];
        if (done.weeks.empty()) {
            FollowStep(done, map, map);
            continue;
        }
        WeekMap without = WithoutStepWeeks(map, done.weeks);
        FollowStep(done, map, without);
        map = std::move(without);
    }
    for (std::size_t step = history.done; step < history.steps.size(); ++step) {
        if (!history.steps[step].weeks.empty()) {
            history.steps.erase(history.steps.begin() + std::ptrdiff_t(step), history.steps.end());
            return;
        }
        FollowStep(history.steps[step], positions, positions);
    }
}
