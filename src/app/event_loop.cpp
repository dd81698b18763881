// The event loop, the dispatch table of control ids to actions, and the enable state of
// the unit fields that follows the name field.
#include "app/event_loop.h"

#include "app/app_state.h"
#include "app/commands.h"
#include "app/control_ids.h"
#include "app/ui_services.h"
#include "text/messages.h"

namespace {

struct DispatchEntry {
    int controlId;
    void (*action)();
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

}  // namespace

void SetFieldsDisabled(bool disabled) {
    if (disabled == FieldsDisabled) return;
    UiServices& ui = CurrentUi();
    ui.SetEnabled(Count1Field, !disabled);
    ui.SetEnabled(Count2Field, !disabled);
    ui.SetEnabled(DescriptionField, !disabled);
    FieldsDisabled = disabled;
}

void UpdateUnitFieldsFromName() {
    SetFieldsDisabled(CurrentUi().GetText(NameField).empty());
}

void DispatchControlEvent(int controlId) {
    for (const DispatchEntry& entry : DispatchTable) {
        if (entry.controlId != controlId) continue;
        entry.action();
        return;
    }
}

void RunEventLoop() {
    UiServices& ui = CurrentUi();
    while (!QuitRequested) {
        UiEvent event = ui.WaitForEvent();
        if (event.kind == UiEvent::Kind::CloseRequest) {
            QuitRequested = true;
        } else if (event.kind == UiEvent::Kind::Control) {
            DispatchControlEvent(event.controlId);
        }
        // No action raises a fatal message today; should one ever do, the program ends.
        if (EndRequested()) QuitRequested = true;
    }
}
