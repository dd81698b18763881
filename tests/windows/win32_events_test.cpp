// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 back end's events: what the program changes itself (texts, selections, rows,
// enabled states) raises no event, as on every back end, while what a user does still does;
// command keys become key events by the shared focus rule; the clipboard holds the texts.
#include <gtest/gtest.h>

#include <vector>

#include "app/win32/win32_ui.h"

namespace {

constexpr int ButtonId = 16;
constexpr int PanelId = 1;
constexpr int FieldIds[] = {8, 6, 7, 9};  // name, count 1, count 2, description
constexpr int ComboId = 11;
constexpr int ListId = 10;

class Win32Events : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES;
        InitCommonControlsEx(&controls);
        RegisterVelmoraClasses(GetModuleHandleW(nullptr));
    }

    void SetUp() override {
        ASSERT_TRUE(ui.OpenWindow(0, 656, 236, u"Velmora events test"));
        window = FindWindowW(MainWindowClass, L"Velmora events test");
        ASSERT_NE(window, nullptr);
        // First in the Tab order, as in the program: the window's first focus goes here.
        ui.CreateControl(ButtonId, ControlKind::PushButton, MainWindowParent, 10, 210, 640, 20,
                         u"Save");
        ui.CreateControl(PanelId, ControlKind::Panel, MainWindowParent, 250, 10, 400, 190, u"");
        for (int id : FieldIds)
            ui.CreateControl(id, ControlKind::Input, PanelId, 10, 10 + id * 20, 100, 20, u"1");
        ui.CreateControl(ComboId, ControlKind::DropDownList, MainWindowParent, 9, 9, 100, 20, u"");
        ui.CreateControl(ListId, ControlKind::ReportList, MainWindowParent, 9, 39, 210, 140, u"");
        ui.AddColumn(ListId, u"Unit", 100);
    }

    // The next event once a close request was queued behind whatever is waiting.
    UiEvent NextEventBeforeClose() {
        PostMessageW(window, WM_CLOSE, 0, 0);
        return ui.WaitForEvent();
    }

    // Every event until a close request queued behind them.
    std::vector<UiEvent> EventsBeforeClose() {
        PostMessageW(window, WM_CLOSE, 0, 0);
        std::vector<UiEvent> events;
        for (UiEvent event = ui.WaitForEvent(); event.kind != UiEvent::Kind::CloseRequest;
             event = ui.WaitForEvent())
            events.push_back(event);
        return events;
    }

    HWND ControlWindow(int id, int parent = 0) {
        return GetDlgItem(parent == 0 ? window : GetDlgItem(window, parent), id);
    }

    // After the loop placed the window's first focus (on the save button), moves it.
    void FocusOn(HWND control) {
        EventsBeforeClose();
        SetFocus(control);
        EventsBeforeClose();
        ASSERT_EQ(GetFocus(), control);
    }

    // A key press as the keyboard delivers it: posted to the focused control while the
    // thread's key state holds the modifiers, which the message loop reads.
    void PressKey(HWND focused, WPARAM key, bool control, bool shift = false) {
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = control ? 0x80 : 0;
        state[VK_SHIFT] = shift ? 0x80 : 0;
        state[VK_MENU] = 0;
        SetKeyboardState(state);
        PostMessageW(focused, WM_KEYDOWN, key, 1);
        for (const UiEvent& event : EventsBeforeClose()) {
            if (event.kind == UiEvent::Kind::Command)
                pressed.emplace_back(event.controlId, event.command);
        }
        state[VK_CONTROL] = 0;
        state[VK_SHIFT] = 0;
        SetKeyboardState(state);
    }

    Win32Ui ui{GetModuleHandleW(nullptr)};
    HWND window = nullptr;
    std::vector<std::pair<int, UserCommand>> pressed;  // the key events of PressKey
};

TEST_F(Win32Events, ClearingTheUnitFieldsAsCreateDoesRaisesNoEvent) {
    for (int id : FieldIds) ui.SetText(id, u"");
    for (int id : FieldIds) ui.SetEnabled(id, id == FieldIds[0]);
    const UiEvent event = NextEventBeforeClose();
    EXPECT_EQ(event.kind, UiEvent::Kind::CloseRequest) << "an event of control " << event.controlId;
}

TEST_F(Win32Events, FillingAndSelectingListsRaisesNoEvent) {
    ui.AddItem(ComboId, u"Woche - 1");
    ui.AddItem(ComboId, u"Woche - 8");
    ui.SetState(ComboId, 1);
    ui.AddItem(ListId, u"Plank\n3 - 60\nhold");
    ui.AddItem(ListId, u"Run\n1 - 5\neasy");
    ui.SetState(ListId, 1);
    ui.RemoveItem(ListId, 1);
    ui.RemoveAllItems(ListId);
    ui.RemoveAllItems(ComboId);
    const UiEvent event = NextEventBeforeClose();
    EXPECT_EQ(event.kind, UiEvent::Kind::CloseRequest) << "an event of control " << event.controlId;
}

TEST_F(Win32Events, TypingIntoAFieldIsAnEventOfThatField) {
    HWND name = GetDlgItem(GetDlgItem(window, PanelId), FieldIds[0]);
    ASSERT_NE(name, nullptr);
    SendMessageW(name, WM_CHAR, L'S', 1);
    const UiEvent event = NextEventBeforeClose();
    EXPECT_EQ(event.kind, UiEvent::Kind::Control);
    EXPECT_EQ(event.controlId, FieldIds[0]);
    EXPECT_EQ(ui.GetText(FieldIds[0]), u"S1") << "typed where the caret stood";
}

using KeyEvents = std::vector<std::pair<int, UserCommand>>;

TEST_F(Win32Events, EveryCommandKeyOnTheEntryListIsAKeyEvent) {
    ui.AddItem(ListId, u"Plank\n3 - 60\nhold");
    HWND list = ControlWindow(ListId);
    FocusOn(list);
    for (WPARAM key : {'S', 'Z', 'Y', 'C', 'X', 'V'}) PressKey(list, key, true);
    PressKey(list, 'Z', true, true);
    PressKey(list, VK_DELETE, false);
    PressKey(list, VK_DELETE, false, true);  // Shift+Delete: no command
    PressKey(list, 'A', true);
    EXPECT_EQ(pressed, (KeyEvents{{ListId, UserCommand::Save},
                                  {ListId, UserCommand::Undo},
                                  {ListId, UserCommand::Redo},
                                  {ListId, UserCommand::Copy},
                                  {ListId, UserCommand::Cut},
                                  {ListId, UserCommand::Paste},
                                  {ListId, UserCommand::Redo},
                                  {ListId, UserCommand::Delete}}));
}

TEST_F(Win32Events, InputFieldKeepsItsKeysButCtrlSAndComboTakesPasteUndoRedo) {
    HWND name = ControlWindow(FieldIds[0], PanelId);
    FocusOn(name);
    for (WPARAM key : {'C', 'X', 'V', 'Z', 'Y'}) PressKey(name, key, true);
    PressKey(name, 'Z', true, true);
    PressKey(name, VK_DELETE, false);
    PressKey(name, 'S', true);
    EXPECT_EQ(pressed, (KeyEvents{{FieldIds[0], UserCommand::Save}}));
    pressed.clear();
    HWND combo = ControlWindow(ComboId);
    FocusOn(combo);
    for (WPARAM key : {'C', 'X', 'V', 'Z', 'Y', 'S'}) PressKey(combo, key, true);
    PressKey(combo, VK_DELETE, false);
    EXPECT_EQ(pressed, (KeyEvents{{ComboId, UserCommand::Paste},
                                  {ComboId, UserCommand::Undo},
                                  {ComboId, UserCommand::Redo},
                                  {ComboId, UserCommand::Save}}));
}

TEST_F(Win32Events, ClipboardKeepsTheTextAsSet) {
    const std::u16string texts[] = {u"Plank|3|60|hold\r\nRun|1|15|\u00E4\U0001F600\r\n", u"x"};
    for (const std::u16string& text : texts) {
        ui.SetClipboardText(text);
        EXPECT_EQ(ui.GetClipboardText(), text);
    }
    ASSERT_TRUE(OpenClipboard(window));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(ui.GetClipboardText(), u"") << "no text on the clipboard";
    EXPECT_TRUE(EventsBeforeClose().empty());
}

}  // namespace
