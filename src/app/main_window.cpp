// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's control table and its creation sequence. The list fills come from
// list_fills.cpp, the enable state of the unit fields from commands.cpp, the accessible names
// from accessible_names.cpp.
#include "app/main_window.h"

#include "app/accessible_names.h"
#include "app/commands.h"
#include "app/context_menu.h"
#include "app/list_fills.h"
#include "calendar/week_calendar.h"
#include "text/messages.h"

namespace {

constexpr int Top = MainWindowParent;
constexpr ControlKind Button = ControlKind::PushButton;
constexpr ControlKind Panel = ControlKind::Panel;
constexpr ControlKind Combo = ControlKind::DropDownList;
constexpr ControlKind List = ControlKind::ReportList;
constexpr ControlKind Input = ControlKind::Input;
constexpr ControlKind Label = ControlKind::Label;
constexpr ControlKind Image = ControlKind::Picture;
constexpr Alignment Left = Alignment::Left;
constexpr Alignment Centre = Alignment::Centre;
constexpr Alignment Right = Alignment::Right;

}  // namespace

// clang-format off
const std::array<ControlSpec, ControlCount> MainWindowControls = {{
    {SaveButton,        u"SaveButton",        Button, Top,       10,  210, 640, 20,  u"Global", u"Save",        nullptr, Left},
    {PlanPanel,         u"PlanPanel",         Panel,  Top,       10,  10,  230, 190, nullptr,   nullptr,        nullptr, Left},
    {EntryList,         u"EntryList",         List,   PlanPanel, 9,   39,  210, 140, nullptr,   nullptr,        nullptr, Left},
    {WeekCombo,         u"WeekCombo",         Combo,  PlanPanel, 9,   9,   100, 20,  nullptr,   nullptr,        nullptr, Left},
    {DayCombo,          u"DayCombo",          Combo,  PlanPanel, 119, 9,   100, 20,  nullptr,   nullptr,        nullptr, Left},
    {EditPanel,         u"EditPanel",         Panel,  Top,       250, 10,  400, 190, nullptr,   nullptr,        nullptr, Left},
    {AddEntryButton,    u"AddEntryButton",    Button, EditPanel, 9,   9,   150, 20,  u"Edit",   u"AddButton",   nullptr, Left},
    {CreateUnitButton,  u"CreateUnitButton",  Button, EditPanel, 9,   39,  150, 20,  u"Edit",   u"Create",      nullptr, Left},
    {UnitCombo,         u"UnitCombo",         Combo,  EditPanel, 169, 9,   220, 20,  nullptr,   nullptr,        nullptr, Left},
    {CountLabel,        u"CountLabel",        Label,  EditPanel, 9,   69,  50,  20,  u"Edit",   u"AddCountTxt", nullptr, Right},
    {Count1Field,       u"Count1Field",       Input,  EditPanel, 79,  69,  20,  20,  nullptr,   nullptr,        u"1",    Left},
    {Count2Field,       u"Count2Field",       Input,  EditPanel, 129, 69,  30,  20,  nullptr,   nullptr,        u"15",   Left},
    {NameField,         u"NameField",         Input,  EditPanel, 269, 39,  120, 20,  nullptr,   nullptr,        nullptr, Left},
    {DescriptionField,  u"DescriptionField",  Input,  EditPanel, 269, 69,  120, 20,  nullptr,   nullptr,        nullptr, Left},
    {DeleteEntryButton, u"DeleteEntryButton", Button, EditPanel, 9,   99,  150, 20,  u"Edit",   u"Delete",      nullptr, Left},
    {SmallPicture,      u"SmallPicture",      Image,  EditPanel, 19,  129, 130, 50,  nullptr,   nullptr,        nullptr, Left},
    {BigPicture,        u"BigPicture",        Image,  EditPanel, 169, 99,  220, 80,  nullptr,   nullptr,        nullptr, Left},
    {TimesLabel,        u"TimesLabel",        Label,  EditPanel, 104, 69,  20,  20,  u"Edit",   u"DividerTxt",  nullptr, Centre},
    {DescriptionLabel,  u"DescriptionLabel",  Label,  EditPanel, 169, 69,  90,  20,  u"Edit",   u"DescrTxt",    nullptr, Right},
    {NameLabel,         u"NameLabel",         Label,  EditPanel, 169, 39,  90,  20,  u"Edit",   u"NameTxt",     nullptr, Right},
}};

const std::array<ColumnSpec, 3> EntryListColumns = {{
    {u"Unit", 100},
    {u"Count", 50},
    {u"More", 56},
}};
// clang-format on

const ControlSpec* ControlSpecOf(int id) {
    for (const ControlSpec& spec : MainWindowControls) {
        if (spec.id == id) return &spec;
    }
    return nullptr;
}

std::u16string ControlNameOf(int id) {
    const ControlSpec* spec = ControlSpecOf(id);
    return spec ? std::u16string(spec->name) : std::u16string();
}

const char* ControlKindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton:
            return "PushButton";
        case ControlKind::Panel:
            return "Panel";
        case ControlKind::DropDownList:
            return "DropDownList";
        case ControlKind::ReportList:
            return "ReportList";
        case ControlKind::Input:
            return "Input";
        case ControlKind::Label:
            return "Label";
        case ControlKind::Picture:
            return "Picture";
    }
    return "Unknown";
}

std::u16string InitialTextOf(const TextTable& texts, const ControlSpec& spec) {
    if (spec.textGroup != nullptr) return LookupText(texts, spec.textGroup, spec.textKey);
    return spec.fixedText ? std::u16string(spec.fixedText) : std::u16string();
}

std::u16string ComposeWindowTitle(const ProgramState& state) {
    return LookupText(state.texts, u"Global", u"WinTitle") +
           LookupText(state.texts, u"Days", TodayDayKey()) + u" - " + state.settings.version;
}

std::u16string PictureTooltip(const TextTable& texts, int pictureId) {
    const char16_t* fileName = pictureId == SmallPicture ? u"SmallImage.png" : u"BigImage.png";
    return SubstitutePlaceholders(LookupText(texts, u"Edit", u"ImageToolTipp"), fileName, u"");
}

namespace {

// What follows the creation of a control: its columns, its fill, its picture.
void AfterCreating(ProgramState& state, int id) {
    UiServices& ui = state.ui;
    switch (id) {
        case EntryList:
            for (const ColumnSpec& column : EntryListColumns) {
                ui.AddColumn(EntryList, LookupText(state.texts, u"Calendar", column.textKey),
                             column.width);
            }
            FillEntryList(state);
            break;
        case WeekCombo:
            FillWeekCombo(state);
            break;
        case DayCombo:
            FillDayCombo(state);
            break;
        case UnitCombo:
            FillUnitCombo(state);
            break;
        case DescriptionField:
            SetFieldsDisabled(state, true);
            break;
        case SmallPicture:
            ui.SetPicture(SmallPicture, state.smallPicture);
            break;
        case BigPicture:
            ui.SetPicture(BigPicture, state.bigPicture);
            ui.SetTooltip(SmallPicture, PictureTooltip(state.texts, SmallPicture));
            ui.SetTooltip(BigPicture, PictureTooltip(state.texts, BigPicture));
            break;
        default:
            break;
    }
}

}  // namespace

bool BuildMainWindow(ProgramState& state) {
    UiServices& ui = state.ui;
    if (!ui.OpenWindow(MainWindowNumber, MainWindowClientWidth, MainWindowClientHeight,
                       ComposeWindowTitle(state))) {
        return false;
    }
    ui.SetContextMenu(ContextMenuItems(state.texts));
    for (const ControlSpec& spec : MainWindowControls) {
        ui.CreateControl(spec.id, spec.kind, spec.parent, spec.x, spec.y, spec.width, spec.height,
                         InitialTextOf(state.texts, spec), spec.alignment);
        AfterCreating(state, spec.id);
    }
    // The names refer to labels, which are created after their fields.
    NameControls(state);
    UpdateContextMenu(state);
    return true;
}
