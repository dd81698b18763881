// SPDX-License-Identifier: GPL-3.0-or-later
// The record of undoable changes: each step the whole day texts before and after it (one day
// for an entry edit, several for an import or a repeated week), the weeks it added to the
// history and the day shown before and after it, in the order made, at most MostEditSteps of
// them. Applying a step to the window is day_edits.cpp's work.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "text/text_helpers.h"

inline constexpr std::size_t MostEditSteps = 100;

// One change of one day's text.
struct DayChange {
    WholeNumber week = 0;  // position in the history
    WholeNumber day = 0;   // 0 = Monday .. 6 = Sunday
    std::u16string before;
    std::u16string after;
};

// A week a step added: undo takes it out again, redo puts it back empty with its number.
struct StepWeek {
    WholeNumber position = 0;
    WholeNumber number = 0;
};

// The week (a position in the history) and day the window shows.
struct ShownDay {
    WholeNumber week = 0;
    WholeNumber day = 0;
};

// Every position in a step counts in the history as it stands with the step done: weeks
// added by the step too, weeks added by later steps not (undo takes those out first).
// `weeks` are ascending; `shownBefore` counts in the history without them.
struct EditStep {
    std::vector<DayChange> days;
    std::vector<StepWeek> weeks;
    ShownDay shownBefore;
    ShownDay shownAfter;
};

// steps[0 .. done) can be undone (the last one first), steps[done ..) redone.
struct EditHistory {
    std::deque<EditStep> steps;
    std::size_t done = 0;
};

// A step of one day's change, shown on its day before and after.
EditStep DayStep(DayChange change);
// Drops the steps that could be redone, appends the step and drops the oldest step beyond
// MostEditSteps.
void RecordStep(EditHistory& history, EditStep step);
// The step to undo, now counted as undone; nullptr when there is none. The pointer stays valid
// until the next RecordStep.
EditStep* TakeUndoStep(EditHistory& history);
// The step to redo, now counted as done; nullptr when there is none.
EditStep* TakeRedoStep(EditHistory& history);
// After a merge put each week of the history held here at positions[week] (ascending), every
// step's positions follow their weeks. A step that could be redone and adds weeks is dropped,
// with the steps after it: where its weeks would belong among the merged ones is not known.
void FollowMergedWeeks(EditHistory& history, const std::vector<std::size_t>& positions);
