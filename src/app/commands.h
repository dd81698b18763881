// The actions of the main window's buttons and selectors, run by the event loop's dispatch.
// The data operations are in data/, the list fills and row texts in calendar/list_views.h.
#pragma once

#include <string_view>

// Empties NameField, Count1Field, Count2Field and DescriptionField, in this order.
void ClearUnitFields();
// True when the text holds "|" or "\", the separators of the data files.
bool HoldsSeparator(std::u16string_view text);

void AddSelectedUnit();       // AddEntryButton
void DeleteSelectedEntry();   // DeleteEntryButton
void SaveBothFiles();         // SaveButton
void CreateUnitFromFields();  // CreateUnitButton
void SelectWeek();            // WeekCombo
void SelectDay();             // DayCombo
