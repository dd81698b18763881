// SPDX-License-Identifier: GPL-3.0-or-later
// The program in a synced folder: the save that merges what changed on disk, taking a changed
// file in when the window is active again, the conflict copies found at start-up, and the boxes
// that say what happened. The merges themselves are data/'s.
#pragma once

#include "app/program_state.h"
#include "data/backups.h"
#include "data/safe_save.h"

struct MergingSave {
    SaveOutcome history;
    SaveOutcome units;
    bool complete = false;  // both files written
};
// Saves both files, history first, each merged with its file on disk when that changed; shows
// the box of a file that changed but cannot be read, then the one box saying that changes made
// elsewhere were kept, and moves the conflict copies of each file saved. Failures of the saves
// themselves are the caller's to show.
MergingSave SaveMerging(ProgramState& state, const DailyBackup& backup);
// The window is active again: a data file that changed on disk is taken in when nothing held
// here is unsaved (no box); otherwise the next save merges it.
void PickUpChangedFiles(ProgramState& state);
// Start-up, after the load: merges every conflict copy in units/ into what is held and says so
// in one box; a copy that cannot be read gets a box of its own and stays as it is.
void MergeConflictCopies(ProgramState& state);
