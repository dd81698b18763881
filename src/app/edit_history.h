// The record of undoable changes to the days' entries: whole day texts before and after each
// change, in the order made, at most MostEditSteps of them. Applying a step to the window is
// day_edits.cpp's work.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "text/text_helpers.h"

inline constexpr std::size_t MostEditSteps = 100;

// One change of one day's text.
struct DayChange {
    WholeNumber week = 0;  // position in the history
    WholeNumber day = 0;   // 0 = Monday .. 6 = Sunday
    std::u16string before;
    std::u16string after;
};

// steps[0 .. done) can be undone (the last one first), steps[done ..) redone.
struct EditHistory {
    std::deque<DayChange> steps;
    std::size_t done = 0;
};

// Drops the steps that could be redone, appends the change and drops the oldest step beyond
// MostEditSteps.
void RecordChange(EditHistory& history, DayChange change);
// The step to undo, now counted as undone; nullptr when there is none. The pointer stays valid
// until the next RecordChange.
const DayChange* TakeUndoStep(EditHistory& history);
// The step to redo, now counted as done; nullptr when there is none.
const DayChange* TakeRedoStep(EditHistory& history);
