// The event loop: waits for events of the main window and hands each control event to its
// action; the close request ends it. The actions themselves are in commands.cpp.
#pragma once

// Disables (true) or enables (false) Count1Field, Count2Field and DescriptionField, in this
// order; nothing happens when the flag equals FieldsDisabled.
void SetFieldsDisabled(bool disabled);
// Any event of NameField: the three other unit fields are editable exactly while the name
// is not empty.
void UpdateUnitFieldsFromName();
// Runs the action of a control id; ids without an action are ignored.
void DispatchControlEvent(int controlId);
// Returns once QuitRequested is set (the close request).
void RunEventLoop();
