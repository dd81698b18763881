// The Win32 back end's events: what the program changes itself (texts, selections, rows,
// enabled states) raises no event, as on every back end, while what a user does still does.
#include <gtest/gtest.h>

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

    Win32Ui ui{GetModuleHandleW(nullptr)};
    HWND window = nullptr;
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

}  // namespace
