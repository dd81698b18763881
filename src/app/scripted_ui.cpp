// SPDX-License-Identifier: GPL-3.0-or-later
// The scripted back end: plain records of every control, a queue of steps as its events.
#include "app/scripted_ui.h"

#include <cassert>

std::vector<std::vector<std::u16string>> ScriptedControl::cells() const {
    std::vector<std::vector<std::u16string>> split;
    if (kind != ControlKind::ReportList) return split;
    split.reserve(items.size());
    for (const std::u16string& item : items) split.push_back(RowCells(item));
    return split;
}

bool ScriptedUi::DoOpenWindow(int number, int width, int height,
                              const std::u16string& windowTitle) {
    windowOpen = true;
    windowNumber = number;
    clientWidth = width;
    clientHeight = height;
    title = windowTitle;
    return true;
}

void ScriptedUi::DoCreateControl(int id, ControlKind kind, int parent, int x, int y, int width,
                                 int height, const std::u16string& text, Alignment alignment) {
    assert(controls.count(id) == 0 && "a control id was created twice");
    assert((parent == MainWindowParent || controls.count(parent) != 0) &&
           "a control's parent must exist before the control");
    ScriptedControl control;
    control.id = id;
    control.kind = kind;
    control.parent = parent;
    control.x = x;
    control.y = y;
    control.width = width;
    control.height = height;
    control.alignment = alignment;
    control.creationOrder = nextCreationOrder_++;
    control.text = text;
    controls[id] = std::move(control);
}

ScriptedControl& ScriptedUi::Control(int id) {
    auto found = controls.find(id);
    assert(found != controls.end() && "no control with this id was created");
    return found->second;
}

void ScriptedUi::DoAddColumn(int id, const std::u16string& header, int width) {
    Control(id).columns.emplace_back(header, width);
}

void ScriptedUi::DoSetPicture(int id, const Picture& picture) {
    ScriptedControl& control = Control(id);
    control.hasPicture = picture.bitsPerPixel != 0;
    control.pictureWidth = picture.width;
    control.pictureHeight = picture.height;
    control.pictureBits = picture.bitsPerPixel;
    control.width = picture.width;
    control.height = picture.height;
}

void ScriptedUi::DoSetTooltip(int id, const std::u16string& text) {
    Control(id).tooltip = text;
}

void ScriptedUi::DoSetAccessibleText(int id, const AccessibleText& text) {
    ScriptedControl& control = Control(id);
    assert((text.labelId == -1 || (controls.count(text.labelId) != 0 &&
                                   controls.at(text.labelId).kind == ControlKind::Label)) &&
           "the control beside a named control must be a label that exists");
    control.accessibleName = text.name;
    control.accessibleDescription = text.description;
    control.accessibleLabel = text.labelId;
}

void ScriptedUi::DoSetText(int id, const std::u16string& text) {
    Control(id).text = text;
}

std::u16string ScriptedUi::DoGetText(int id) {
    return Control(id).text;
}

std::intptr_t ScriptedUi::DoGetState(int id) {
    return Control(id).selected;
}

void ScriptedUi::DoSetState(int id, std::intptr_t index) {
    Control(id).selected = index;
}

std::intptr_t ScriptedUi::DoItemCount(int id) {
    return std::intptr_t(Control(id).items.size());
}

void ScriptedUi::DoAddItem(int id, const std::u16string& text) {
    ScriptedControl& control = Control(id);
    if (control.spareItemsUsed < control.spareItems.size()) {
        std::u16string& room = control.spareItems[control.spareItemsUsed++];
        room.assign(text);
        control.items.push_back(std::move(room));
        return;
    }
    control.items.push_back(text);
}

void ScriptedUi::DoRemoveItem(int id, std::intptr_t index) {
    ScriptedControl& control = Control(id);
    control.items.erase(control.items.begin() + index);
    // As the platform lists do: the selection after the row moves up with its row.
    if (control.selected > index) --control.selected;
}

void ScriptedUi::DoRemoveAllItems(int id) {
    ScriptedControl& control = Control(id);
    // The removed texts become the spare room; spare room left over from before goes.
    control.items.swap(control.spareItems);
    control.items.clear();
    control.spareItemsUsed = 0;
    control.selected = -1;
}

void ScriptedUi::DoSetEnabled(int id, bool enabled) {
    Control(id).enabled = enabled;
}

std::u16string ScriptedUi::DoGetClipboardText() {
    return clipboard;
}

void ScriptedUi::DoSetClipboardText(const std::u16string& text) {
    clipboard = text;
}

bool ScriptedUi::DoOpenFile(const std::u16string& path) {
    openedFiles.push_back(path);
    if (onOpen) onOpen(path);
    return true;
}

std::optional<std::u16string> ScriptedUi::DoChooseFileToOpen(const OpenFileRequest& request) {
    fileDialogs.push_back(request);
    if (fileAnswers.empty()) return std::nullopt;
    std::optional<std::u16string> answer = std::move(fileAnswers.front());
    fileAnswers.pop_front();
    return answer;
}

void ScriptedUi::WaitForMoreEvents() {
    Step step;
    if (!steps.empty()) {
        step = std::move(steps.front());
        steps.pop_front();
    } else if (!stepSource || !stepSource(step)) {
        step.event.kind = UiEvent::Kind::CloseRequest;
    }
    // The step is the user's doing: its changes are applied first, then its event is raised.
    if (step.apply) step.apply(*this);
    RaiseEvent(step.event);
}

void ScriptedUi::DoShowMessageBox(const std::u16string& boxTitle, const std::u16string& text,
                                  bool fatal, bool) {
    messages.push_back({boxTitle, text, fatal});
    if (onMessage) onMessage(messages.back());
}

void ScriptedUi::Pause(int milliseconds) {
    RecordedPause pause{milliseconds, {}};
    for (const auto& [id, control] : controls) pause.texts[id] = control.text;
    pauses.push_back(std::move(pause));
    if (onPause) onPause(pauses.back());
}

std::u16string RecordedPause::TextOf(int id) const {
    const auto found = texts.find(id);
    return found == texts.end() ? std::u16string() : found->second;
}

bool ScriptedUi::DoDesktopPrefersDark() {
    ++desktopQuestions;
    return desktopPrefersDark;
}

void ScriptedUi::DoCloseWindow() {
    windowClosed = true;
    windowOpen = false;
}

void ScriptedUi::QueueClick(int id) {
    Step step;
    step.event = {UiEvent::Kind::Control, id};
    steps.push_back(std::move(step));
}

void ScriptedUi::QueueText(int id, const std::u16string& text) {
    Step step;
    step.apply = [id, text](ScriptedUi& ui) { ui.SetText(id, text); };
    step.event = {UiEvent::Kind::Control, id};
    steps.push_back(std::move(step));
}

void ScriptedUi::QueueSelect(int id, std::intptr_t index) {
    Step step;
    step.apply = [id, index](ScriptedUi& ui) { ui.SetState(id, index); };
    step.event = {UiEvent::Kind::Control, id};
    steps.push_back(std::move(step));
}

void ScriptedUi::QueueKey(int id, UserCommand command) {
    Step step;
    step.event.kind = UiEvent::Kind::Command;
    step.event.controlId = id;
    step.event.command = command;
    steps.push_back(std::move(step));
}

void ScriptedUi::QueueMenu(std::size_t item) {
    Step step;
    step.event.kind = UiEvent::Kind::MenuChoice;
    step.event.menuItem = item;
    steps.push_back(std::move(step));
}

void ScriptedUi::QueueClose() {
    Step step;
    step.event.kind = UiEvent::Kind::CloseRequest;
    steps.push_back(std::move(step));
}

void ScriptedUi::QueueActivate() {
    Step step;
    step.event.kind = UiEvent::Kind::Activated;
    steps.push_back(std::move(step));
}

std::u16string ScriptedUi::ShownText(int id) {
    ScriptedControl& control = Control(id);
    if (control.selected < 0 || std::size_t(control.selected) >= control.items.size()) return u"";
    return control.items[std::size_t(control.selected)];
}
