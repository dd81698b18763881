// SPDX-License-Identifier: GPL-3.0-or-later
// What every back end does alike: the row cells, selections, the picture check, the key rule,
// the keyboard menu's place and its disabled items, the owner of a box, the event queue and
// the rule that the program's own changes raise no event. The toolkits are the back ends' own.
#include "app/ui_services.h"

// Marks a change the program makes itself for as long as it lives.
struct ProgramChange {
    explicit ProgramChange(UiServices& ui) : ui_(ui) { ++ui_.programChanging_; }
    ~ProgramChange() { --ui_.programChanging_; }
    ProgramChange(const ProgramChange&) = delete;
    ProgramChange& operator=(const ProgramChange&) = delete;
    UiServices& ui_;
};

std::vector<std::u16string> RowCells(std::u16string_view rowText) {
    std::vector<std::u16string> cells;
    for (;;) {
        const std::size_t lineFeed = rowText.find(u'\n');
        cells.emplace_back(rowText.substr(0, lineFeed));
        if (lineFeed == std::u16string_view::npos) return cells;
        rowText.remove_prefix(lineFeed + 1);
    }
}

ScreenPoint UiServices::KeyboardMenuPoint(const ScreenRect& focusedOrWindow) {
    return {focusedOrWindow.x + focusedOrWindow.width / 2,
            focusedOrWindow.y + focusedOrWindow.height / 2};
}

std::vector<std::u16string> UiServices::ColumnCells(int id, std::u16string_view rowText) const {
    const auto found = columns_.find(id);
    const std::size_t columns = found == columns_.end() ? 0 : std::size_t(found->second);
    std::vector<std::u16string> cells = RowCells(rowText);
    cells.resize(columns);
    return cells;
}

bool IsUsablePicture(const Picture& picture) {
    if (picture.width <= 0 || picture.height <= 0) return false;
    if (picture.bitsPerPixel != 24 && picture.bitsPerPixel != 32) return false;
    const std::size_t expected = std::size_t(picture.width) * std::size_t(picture.height) *
                                 std::size_t(picture.bitsPerPixel / 8);
    return picture.pixels.size() >= expected;
}

UserCommand CommandForKey(std::optional<ControlKind> focused, const KeyStroke& stroke) {
    if (stroke.alt) return UserCommand::None;
    const bool input = focused == ControlKind::Input;
    const bool list = focused == ControlKind::ReportList;
    if (!stroke.control) {
        // Delete is the only plain key; with Shift it keeps its own meaning everywhere.
        const bool plainDelete = stroke.key == KeyName::Delete && !stroke.shift;
        return plainDelete && list ? UserCommand::Delete : UserCommand::None;
    }
    if (stroke.shift) {
        return stroke.key == KeyName::Z && !input ? UserCommand::Redo : UserCommand::None;
    }
    switch (stroke.key) {
        case KeyName::S:
            return UserCommand::Save;
        case KeyName::Z:
            return input ? UserCommand::None : UserCommand::Undo;
        case KeyName::Y:
            return input ? UserCommand::None : UserCommand::Redo;
        case KeyName::V:
            return input ? UserCommand::None : UserCommand::Paste;
        case KeyName::C:
            return list ? UserCommand::Copy : UserCommand::None;
        case KeyName::X:
            return list ? UserCommand::Cut : UserCommand::None;
        case KeyName::Delete:
        case KeyName::Other:
            break;
    }
    return UserCommand::None;
}

bool UiServices::OpenWindow(int windowNumber, int clientWidth, int clientHeight,
                            const std::u16string& title) {
    ProgramChange change(*this);
    activatedOnce_ = false;
    return DoOpenWindow(windowNumber, clientWidth, clientHeight, title);
}

void UiServices::CreateControl(int id, ControlKind kind, int parent, int x, int y, int width,
                               int height, const std::u16string& text, Alignment alignment) {
    ProgramChange change(*this);
    DoCreateControl(id, kind, parent, x, y, width, height, text, alignment);
}

void UiServices::AddColumn(int id, const std::u16string& header, int width) {
    ProgramChange change(*this);
    DoAddColumn(id, header, width);
    ++columns_[id];
}

void UiServices::SetPicture(int id, const Picture& picture) {
    ProgramChange change(*this);
    DoSetPicture(id, picture);
}

void UiServices::SetTooltip(int id, const std::u16string& text) {
    ProgramChange change(*this);
    DoSetTooltip(id, text);
}

void UiServices::SetAccessibleText(int id, const AccessibleText& text) {
    ProgramChange change(*this);
    DoSetAccessibleText(id, text);
}

void UiServices::SetText(int id, const std::u16string& text) {
    ProgramChange change(*this);
    DoSetText(id, text);
}

void UiServices::SetState(int id, std::intptr_t index) {
    ProgramChange change(*this);
    DoSetState(id, index >= 0 && index < DoItemCount(id) ? index : -1);
}

void UiServices::AddItem(int id, const std::u16string& text) {
    ProgramChange change(*this);
    DoAddItem(id, text);
}

void UiServices::RemoveItem(int id, std::intptr_t index) {
    ProgramChange change(*this);
    if (index < 0 || index >= DoItemCount(id)) return;
    // Toolkits hand the selection of a removed row on to a neighbour; here it goes with it.
    const bool selected = DoGetState(id) == index;
    DoRemoveItem(id, index);
    if (selected) DoSetState(id, -1);
}

void UiServices::RemoveAllItems(int id) {
    ProgramChange change(*this);
    DoRemoveAllItems(id);
}

void UiServices::SetEnabled(int id, bool enabled) {
    ProgramChange change(*this);
    DoSetEnabled(id, enabled);
}

void UiServices::SetColourScheme(ColourScheme scheme) {
    // Repainting in new colours may make a toolkit report changes the user did not make.
    ProgramChange change(*this);
    DoSetColourScheme(scheme);
}

void UiServices::SetClipboardText(const std::u16string& text) {
    ProgramChange change(*this);
    DoSetClipboardText(text);
}

void UiServices::ShowMessageBox(const std::u16string& title, const std::u16string& text,
                                bool fatal) {
    DoShowMessageBox(title, text, fatal, DoIsWindowActive());
}

void UiServices::SetMenuItemEnabled(std::size_t item, bool enabled) {
    if (item < menu_.size()) menu_[item].enabled = enabled;
}

std::optional<std::u16string> UiServices::ChooseFileToOpen(const OpenFileRequest& request) {
    return DoChooseFileToOpen(request);
}

void UiServices::RaiseMenuChoice(std::size_t item) {
    UiEvent event;
    event.kind = UiEvent::Kind::MenuChoice;
    event.menuItem = item;
    RaiseEvent(event);
}

void UiServices::RaiseActivation() {
    UiEvent event;
    event.kind = UiEvent::Kind::Activated;
    RaiseEvent(event);
}

void UiServices::NoteWindowActivated() {
    if (!activatedOnce_) {
        activatedOnce_ = true;
        return;
    }
    RaiseActivation();
}

void UiServices::CloseWindow() {
    activatedOnce_ = false;
    {
        ProgramChange change(*this);
        DoCloseWindow();
    }
    events_.clear();
    columns_.clear();
}

UiEvent UiServices::WaitForEvent() {
    while (events_.empty()) WaitForMoreEvents();
    UiEvent event = events_.front();
    events_.pop_front();
    return event;
}

void UiServices::RaiseEvent(const UiEvent& event) {
    const bool user = event.kind == UiEvent::Kind::Control ||
                      event.kind == UiEvent::Kind::Command ||
                      event.kind == UiEvent::Kind::MenuChoice;
    if (user && programChanging_ > 0) return;
    // A greyed item cannot be chosen, whichever way a back end let the choice through.
    if (event.kind == UiEvent::Kind::MenuChoice && event.menuItem < menu_.size() &&
        !menu_[event.menuItem].enabled)
        return;
    events_.push_back(event);
}

bool UiServices::OfferKey(int focusedId, std::optional<ControlKind> focusedKind,
                          const KeyStroke& stroke) {
    const UserCommand command = CommandForKey(focusedKind, stroke);
    if (command == UserCommand::None) return false;
    UiEvent event;
    event.kind = UiEvent::Kind::Command;
    event.controlId = focusedKind ? focusedId : -1;
    event.command = command;
    RaiseEvent(event);
    return true;
}
