// SPDX-License-Identifier: GPL-3.0-or-later
// The event loop and its dispatch tables of control ids and key commands to actions; menu
// choices go to the context menu's table.
#include "app/event_loop.h"

#include "app/commands.h"
#include "app/context_menu.h"
#include "app/control_ids.h"
#include "app/day_edits.h"
#include "app/sync_commands.h"

namespace {

struct DispatchEntry {
    int controlId;
    void (*action)(ProgramState&);
};

// Controls without a row here (panels, labels, pictures, UnitCombo, the count and
// description fields, EntryList) only change their own selection or focus.
constexpr DispatchEntry DispatchTable[] = {
    {AddEntryButton, AddSelectedUnit},
    {DeleteEntryButton, DeleteSelectedEntry},
    {SaveButton, SaveBothFiles},
    {NameField, UpdateUnitFieldsFromName},
    {CreateUnitButton, CreateUnitFromFields},
    {WeekCombo, SelectWeek},
    {DayCombo, SelectDay},
};

struct CommandEntry {
    UserCommand command;
    void (*action)(ProgramState&);
};

// Ctrl+S is the save button itself; the back ends have already applied the focus rule.
constexpr CommandEntry CommandTable[] = {
    {UserCommand::Save, SaveBothFiles}, {UserCommand::Delete, DeleteEntryByKey},
    {UserCommand::Undo, UndoDayChange}, {UserCommand::Redo, RedoDayChange},
    {UserCommand::Copy, CopyEntries},   {UserCommand::Cut, CutSelectedEntry},
    {UserCommand::Paste, PasteEntries},
};

}  // namespace

void DispatchControlEvent(ProgramState& state, int controlId) {
    for (const DispatchEntry& entry : DispatchTable) {
        if (entry.controlId != controlId) continue;
        entry.action(state);
        return;
    }
}

void DispatchCommand(ProgramState& state, UserCommand command) {
    for (const CommandEntry& entry : CommandTable) {
        if (entry.command != command) continue;
        entry.action(state);
        return;
    }
}

void RunEventLoop(ProgramState& state) {
    while (!state.quitRequested) {
        UiEvent event = state.ui.WaitForEvent();
        if (event.kind == UiEvent::Kind::CloseRequest) {
            state.quitRequested = true;
        } else if (event.kind == UiEvent::Kind::Control) {
            DispatchControlEvent(state, event.controlId);
        } else if (event.kind == UiEvent::Kind::Command) {
            DispatchCommand(state, event.command);
        } else if (event.kind == UiEvent::Kind::MenuChoice) {
            RunMenuItem(state, event.menuItem);
        } else if (event.kind == UiEvent::Kind::Activated) {
            PickUpChangedFiles(state);
        }
        // No action raises a fatal message today; should one ever do, the program ends.
        if (state.endRequested) state.quitRequested = true;
    }
}
