// SPDX-License-Identifier: GPL-3.0-or-later
// The scripted back end's item lists: refills after a clear (which reuse the removed rows'
// room) show exactly the new rows and cells, and removal and selection follow them. The key
// rule every back end shares, key events and the clipboard as the back-end contract has them.
#include "app/scripted_ui.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::u16string>;
using Cells = std::vector<std::vector<std::u16string>>;

constexpr int List = 10;
constexpr int Combo = 11;

TEST(ScriptedUiItems, RefillsShowExactlyTheNewRows) {
    struct Row {
        const char* name;
        Rows rows;
    };
    // Each fill follows the one above it on the same list.
    const Row fills[] = {
        {"first fill", {u"A\n1 - 2\nx", u"B\n3 - 4\ny", u"C\n5 - 6\nz"}},
        {"fewer and longer rows", {u"a much longer name\n10 - 20\nmore text", u"D\n7 - 8\n"}},
        {"more and shorter rows", {u"E", u"", u"\nF", u"G\n\n", u"H\n9 - 9\nh"}},
        {"empty fill", {}},
        {"after the empty fill", {u"I\n1 - 1\ni"}},
    };
    ScriptedUi ui;
    ui.CreateControl(List, ControlKind::ReportList, MainWindowParent, 0, 0, 100, 100, u"",
                     Alignment::Left);
    for (const Row& fill : fills) {
        SCOPED_TRACE(fill.name);
        ui.RemoveAllItems(List);
        for (const std::u16string& row : fill.rows) ui.AddItem(List, row);
        EXPECT_EQ(ui.Control(List).items, fill.rows);
        Cells cells;
        for (const std::u16string& row : fill.rows) {
            std::vector<std::u16string>& split = cells.emplace_back(1);
            for (char16_t unit : row) {
                if (unit == u'\n')
                    split.emplace_back();
                else
                    split.back() += unit;
            }
        }
        EXPECT_EQ(ui.Control(List).cells(), cells);
    }
}

TEST(ScriptedUiItems, RemovalAndSelectionFollowARefilledList) {
    ScriptedUi ui;
    ui.CreateControl(Combo, ControlKind::DropDownList, MainWindowParent, 0, 0, 100, 20, u"",
                     Alignment::Left);
    for (const char16_t* text : {u"one", u"two", u"three"}) ui.AddItem(Combo, text);
    ui.RemoveAllItems(Combo);
    for (const char16_t* text : {u"Woche - 1", u"Woche - 8", u"Woche - 15", u"Woche - 22"})
        ui.AddItem(Combo, text);
    ui.SetState(Combo, 2);
    EXPECT_EQ(ui.ShownText(Combo), u"Woche - 15");
    ui.RemoveItem(Combo, 0);
    EXPECT_EQ(ui.GetState(Combo), 1);
    EXPECT_EQ(ui.Control(Combo).items, (Rows{u"Woche - 8", u"Woche - 15", u"Woche - 22"}));
    EXPECT_TRUE(ui.Control(Combo).cells().empty()) << "only a report list has cells";
    ui.RemoveAllItems(Combo);
    EXPECT_EQ(ui.GetState(Combo), -1);
    EXPECT_TRUE(ui.Control(Combo).items.empty());
}

TEST(KeyCommandRule, EachKeyIsACommandOnlyWhereTheFocusAllows) {
    using C = UserCommand;
    struct Case {
        const char* name;
        KeyStroke stroke;
        // With the focus nowhere, in an input field, on the report list, on any other control.
        C none, input, list, other;
    };
    const Case cases[] = {
        {"ctrl+s", {KeyName::S, true, false, false}, C::Save, C::Save, C::Save, C::Save},
        {"delete", {KeyName::Delete, false, false, false}, C::None, C::None, C::Delete, C::None},
        {"ctrl+z", {KeyName::Z, true, false, false}, C::Undo, C::None, C::Undo, C::Undo},
        {"ctrl+y", {KeyName::Y, true, false, false}, C::Redo, C::None, C::Redo, C::Redo},
        {"ctrl+shift+z", {KeyName::Z, true, true, false}, C::Redo, C::None, C::Redo, C::Redo},
        {"ctrl+c", {KeyName::C, true, false, false}, C::None, C::None, C::Copy, C::None},
        {"ctrl+x", {KeyName::X, true, false, false}, C::None, C::None, C::Cut, C::None},
        {"ctrl+v", {KeyName::V, true, false, false}, C::Paste, C::None, C::Paste, C::Paste},
        {"plain s", {KeyName::S, false, false, false}, C::None, C::None, C::None, C::None},
        {"plain v", {KeyName::V, false, false, false}, C::None, C::None, C::None, C::None},
        {"shift+delete", {KeyName::Delete, false, true, false}, C::None, C::None, C::None, C::None},
        {"ctrl+delete", {KeyName::Delete, true, false, false}, C::None, C::None, C::None, C::None},
        {"ctrl+shift+s", {KeyName::S, true, true, false}, C::None, C::None, C::None, C::None},
        {"ctrl+shift+y", {KeyName::Y, true, true, false}, C::None, C::None, C::None, C::None},
        {"ctrl+shift+c", {KeyName::C, true, true, false}, C::None, C::None, C::None, C::None},
        {"ctrl+alt+v (AltGr)", {KeyName::V, true, false, true}, C::None, C::None, C::None, C::None},
        {"alt+delete", {KeyName::Delete, false, false, true}, C::None, C::None, C::None, C::None},
        {"ctrl+other key",
         {KeyName::Other, true, false, false},
         C::None,
         C::None,
         C::None,
         C::None},
    };
    const ControlKind others[] = {ControlKind::PushButton, ControlKind::Panel,
                                  ControlKind::DropDownList, ControlKind::Label,
                                  ControlKind::Picture};
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CommandForKey(std::nullopt, row.stroke), row.none);
        EXPECT_EQ(CommandForKey(ControlKind::Input, row.stroke), row.input);
        EXPECT_EQ(CommandForKey(ControlKind::ReportList, row.stroke), row.list);
        for (ControlKind kind : others) {
            SCOPED_TRACE(int(kind));
            EXPECT_EQ(CommandForKey(kind, row.stroke), row.other);
        }
    }
}

// A back end whose toolkit reports keys and control events even while the program changes a
// control or the clipboard.
class NoisyUi : public ScriptedUi {
  public:
    using ScriptedUi::OfferKey;

  protected:
    void DoSetText(int id, const std::u16string& text) override {
        ScriptedUi::DoSetText(id, text);
        RaiseEvent({UiEvent::Kind::Control, id});
        OfferKey(id, ControlKind::Input, {KeyName::S, true, false, false});
    }
    void DoSetClipboardText(const std::u16string& text) override {
        ScriptedUi::DoSetClipboardText(text);
        OfferKey(List, ControlKind::ReportList, {KeyName::C, true, false, false});
    }
};

TEST(ScriptedUiKeys, KeyEventsCarryTheFocusAndNoneComeFromTheProgramsOwnChanges) {
    NoisyUi ui;
    ui.CreateControl(List, ControlKind::ReportList, MainWindowParent, 0, 0, 100, 100, u"",
                     Alignment::Left);
    ui.SetText(List, u"set by the program");
    ui.SetClipboardText(u"A|1|2|x\n");
    EXPECT_EQ(ui.GetClipboardText(), u"A|1|2|x\n");
    EXPECT_EQ(ui.clipboard, u"A|1|2|x\n");
    EXPECT_FALSE(ui.OfferKey(List, ControlKind::Input, {KeyName::C, true, false, false}))
        << "Ctrl+C stays the input field's own";
    EXPECT_TRUE(ui.OfferKey(List, ControlKind::ReportList, {KeyName::X, true, false, false}));
    EXPECT_TRUE(ui.OfferKey(7, std::nullopt, {KeyName::V, true, false, false}));
    ui.QueueKey(List, UserCommand::Undo);
    const UiEvent cut = ui.WaitForEvent();
    EXPECT_EQ(cut.kind, UiEvent::Kind::Command);
    EXPECT_EQ(cut.command, UserCommand::Cut);
    EXPECT_EQ(cut.controlId, List);
    const UiEvent paste = ui.WaitForEvent();
    EXPECT_EQ(paste.command, UserCommand::Paste);
    EXPECT_EQ(paste.controlId, -1) << "no control has the focus";
    const UiEvent undo = ui.WaitForEvent();
    EXPECT_EQ(undo.kind, UiEvent::Kind::Command);
    EXPECT_EQ(undo.command, UserCommand::Undo);
    EXPECT_EQ(undo.controlId, List);
    EXPECT_EQ(ui.WaitForEvent().kind, UiEvent::Kind::CloseRequest) << "nothing else was queued";
}

}  // namespace

namespace {

// A back end that reports the window's activations as a toolkit does.
class ActivatingUi : public ScriptedUi {
  public:
    void Activate() { NoteWindowActivated(); }
};

TEST(ScriptedUiEvents, FirstActivationAfterOpeningIsNoReturn) {
    ActivatingUi ui;
    ASSERT_TRUE(ui.OpenWindow(0, 656, 236, u"Velmora"));
    ui.Activate();  // the opening
    ui.Activate();  // a return
    ui.QueueClose();
    EXPECT_EQ(ui.WaitForEvent().kind, UiEvent::Kind::Activated);
    EXPECT_EQ(ui.WaitForEvent().kind, UiEvent::Kind::CloseRequest);
    ui.CloseWindow();
    ASSERT_TRUE(ui.OpenWindow(0, 656, 236, u"Velmora"));
    ui.Activate();  // a new window's opening again
    ui.QueueClose();
    EXPECT_EQ(ui.WaitForEvent().kind, UiEvent::Kind::CloseRequest);
}

}  // namespace
