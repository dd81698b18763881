// The event loop: waits for events of the main window and hands each control event and each
// key command to its action; the close request ends it. The actions themselves are in
// commands.cpp and edit_commands.cpp.
#pragma once

#include "app/program_state.h"

// Disables (true) or enables (false) Count1Field, Count2Field and DescriptionField, in this
// order; nothing happens when the flag equals fieldsDisabled.
void SetFieldsDisabled(ProgramState& state, bool disabled);
// Any event of NameField: the three other unit fields are editable exactly while the name
// is not empty.
void UpdateUnitFieldsFromName(ProgramState& state);
// Runs the action of a control id; ids without an action are ignored.
void DispatchControlEvent(ProgramState& state, int controlId);
// Runs the action of a key command; UserCommand::None is ignored.
void DispatchCommand(ProgramState& state, UserCommand command);
// Returns once the close request came or a fatal message was shown.
void RunEventLoop(ProgramState& state);
