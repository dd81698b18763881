// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: one table of its twenty controls in creation order, and the build that
// creates them on the program's back end with the list fills at their places. What the
// controls do is event_loop.cpp's and its commands'.
#pragma once

#include <array>
#include <string>

#include "app/control_ids.h"
#include "app/program_state.h"

inline constexpr int MainWindowNumber = 0;
inline constexpr int MainWindowClientWidth = 656;
inline constexpr int MainWindowClientHeight = 236;

struct ControlSpec {
    int id;
    const char16_t* name;
    ControlKind kind;
    int parent;  // MainWindowParent or a panel id
    int x, y, width, height;
    // The initial text: LookupText(textGroup, textKey) when textGroup is set, otherwise the
    // fixed text (data such as the count fields' "1" and "15" is not translated).
    const char16_t* textGroup;
    const char16_t* textKey;
    const char16_t* fixedText;
    Alignment alignment;
};

struct ColumnSpec {
    const char16_t* textKey;  // in group Calendar
    int width;
};

// In creation order, which is also the Tab order.
extern const std::array<ControlSpec, ControlCount> MainWindowControls;
extern const std::array<ColumnSpec, 3> EntryListColumns;

// The table row of a control id; nullptr for an id outside 0..19.
const ControlSpec* ControlSpecOf(int id);
std::u16string ControlNameOf(int id);
// "PushButton", "Panel", "DropDownList", "ReportList", "Input", "Label", "Picture".
const char* ControlKindName(ControlKind kind);
std::u16string InitialTextOf(const TextTable& texts, const ControlSpec& spec);

// The tooltip of SmallPicture or BigPicture: Edit/ImageToolTipp naming the picture's file.
std::u16string PictureTooltip(const TextTable& texts, int pictureId);
// Global/WinTitle + today's day name + " - " + the version setting.
std::u16string ComposeWindowTitle(const ProgramState& state);
// Opens the window and creates every control with its fills, pictures, tooltips and
// accessible names. False
// when the window cannot be opened; then no control exists.
bool BuildMainWindow(ProgramState& state);
