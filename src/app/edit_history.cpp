// The undo record: a list of steps and the point between the done and the undone ones. What a
// step shows and changes when it is applied is left to day_edits.cpp.
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

const EditStep* TakeUndoStep(EditHistory& history) {
    if (history.done == 0) return nullptr;
    --history.done;
    return &history.steps[history.done];
}

const EditStep* TakeRedoStep(EditHistory& history) {
    if (history.done == history.steps.size()) return nullptr;
    return &history.steps[history.done++];
}
