// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt back end on its own: which user actions reach the program's loop as events of which
// control, which key presses become key commands with the focus where, that the program's own
// changes raise none, how the lists keep their items, the clipboard, the context menu with
// its greyed items and the file dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/qt/qt_ui.h"
#include "app/qt/qt_widgets.h"

namespace {

constexpr int Button = 1, Panel = 2, Combo = 3, Field = 4, List = 5, OtherField = 6;

class QtEvents : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(ui.OpenWindow(0, 656, 236, u"Events"));
        ui.CreateControl(Button, ControlKind::PushButton, MainWindowParent, 10, 210, 100, 20,
                         u"Press", Alignment::Left);
        ui.CreateControl(Panel, ControlKind::Panel, MainWindowParent, 10, 10, 300, 190, u"",
                         Alignment::Left);
        ui.CreateControl(Combo, ControlKind::DropDownList, Panel, 9, 9, 100, 20, u"",
                         Alignment::Left);
        ui.CreateControl(Field, ControlKind::Input, Panel, 119, 9, 100, 20, u"", Alignment::Left);
        ui.CreateControl(List, ControlKind::ReportList, Panel, 9, 39, 210, 140, u"",
                         Alignment::Left);
        ui.CreateControl(OtherField, ControlKind::Input, Panel, 229, 9, 60, 20, u"",
                         Alignment::Left);
        ui.AddColumn(List, u"A", 60);
        ui.AddColumn(List, u"B", 60);
        ui.AddColumn(List, u"C", 60);
        for (const char16_t* text : {u"one", u"two", u"three"}) ui.AddItem(Combo, text);
        QApplication::processEvents();
    }

    // Every event already queued, without waiting for more.
    std::vector<int> Drain() {
        std::vector<int> ids;
        bool idle = false;
        ui.onIdle = [&] {
            if (idle) ui.RequestClose();
            idle = true;
        };
        for (;;) {
            idle = false;
            const UiEvent event = ui.WaitForEvent();
            if (event.kind == UiEvent::Kind::CloseRequest) break;
            ids.push_back(event.controlId);
        }
        ui.onIdle = nullptr;
        return ids;
    }

    // The key commands among the events queued so far, as (focused control, command); a
    // menu choice as (-1 - its position, UserCommand::None).
    std::vector<std::pair<int, UserCommand>> DrainKeys() {
        std::vector<std::pair<int, UserCommand>> keys;
        // Whatever Qt still has pending, then the end: the loop never waits for more.
        ui.onIdle = [&] {
            QApplication::processEvents();
            ui.RequestClose();
        };
        for (;;) {
            const UiEvent event = ui.WaitForEvent();
            if (event.kind == UiEvent::Kind::CloseRequest) break;
            if (event.kind == UiEvent::Kind::Command)
                keys.emplace_back(event.controlId, event.command);
            if (event.kind == UiEvent::Kind::MenuChoice)
                keys.emplace_back(-1 - int(event.menuItem), UserCommand::None);
        }
        ui.onIdle = nullptr;
        return keys;
    }

    // Gives the control the focus and drops the focus events that come with it.
    void Focus(int id) {
        ui.Control(id)->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        DrainKeys();
        ASSERT_EQ(QApplication::focusWidget(), ui.Control(id));
    }

    QtUi ui;
};

TEST_F(QtEvents, UserActionsReachTheLoopWithTheirControlId) {
    QTest::mouseClick(ui.Control(Button), Qt::LeftButton);
    EXPECT_EQ(Drain(), std::vector<int>{Button});

    QTest::keyClicks(ui.Control(Field), "ab");
    EXPECT_EQ(Drain(), (std::vector<int>{Field, Field}));

    ui.Control(Field)->setFocus(Qt::MouseFocusReason);
    Drain();
    ui.Control(OtherField)->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(Drain(), (std::vector<int>{Field, OtherField}));

    auto* combo = static_cast<QComboBox*>(ui.Control(Combo));
    combo->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(Drain(), (std::vector<int>{OtherField, Combo}));
    combo->showPopup();
    EXPECT_EQ(Drain(), std::vector<int>{Combo});
    combo->hidePopup();
    EXPECT_EQ(Drain(), std::vector<int>{Combo});
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(Drain(), std::vector<int>{Combo});
    EXPECT_EQ(ui.GetState(Combo), 0);  // from no selection to the first entry
}

TEST_F(QtEvents, CloseBoxIsACloseRequestAndTheWindowStays) {
    EXPECT_FALSE(ui.Window()->close());
    EXPECT_TRUE(ui.Window()->isVisible());
    const UiEvent event = ui.WaitForEvent();
    EXPECT_EQ(event.kind, UiEvent::Kind::CloseRequest);
}

TEST_F(QtEvents, ActivationAfterTheOpeningIsAReturnToTheWindow) {
    // The window's own activation when it opened raised nothing.
    QApplication::processEvents();
    EXPECT_TRUE(Drain().empty());
    ui.RequestActivation();
    const UiEvent event = ui.WaitForEvent();
    EXPECT_EQ(event.kind, UiEvent::Kind::Activated);
}

TEST_F(QtEvents, ChangesMadeByTheProgramRaiseNoEvents) {
    ui.SetText(Field, u"typed by the program");
    ui.SetState(Combo, 2);
    ui.AddItem(Combo, u"four");
    ui.RemoveItem(Combo, 0);
    ui.AddItem(List, u"a\nb\nc");
    ui.SetState(List, 0);
    ui.SetEnabled(Field, false);
    ui.RemoveAllItems(Combo);
    EXPECT_TRUE(Drain().empty());
    EXPECT_EQ(ui.GetText(Field), u"typed by the program");
    EXPECT_FALSE(ui.Control(Field)->isEnabled());
}

TEST_F(QtEvents, DropDownListKeepsNoSelectionWhenItemsAreAdded) {
    ui.RemoveAllItems(Combo);
    EXPECT_EQ(ui.GetState(Combo), -1);
    ui.AddItem(Combo, u"first");
    EXPECT_EQ(ui.GetState(Combo), -1);
    ui.SetState(Combo, 0);
    EXPECT_EQ(ui.GetState(Combo), 0);
    ui.SetState(Combo, 5);
    EXPECT_EQ(ui.GetState(Combo), -1);
    ui.SetState(Combo, 0);
    ui.SetState(Combo, -1);
    EXPECT_EQ(ui.GetState(Combo), -1);
}

TEST_F(QtEvents, OpenedDropDownListStaysWithinItsHeight) {
    for (int n = 0; n < 60; ++n) ui.AddItem(Combo, u"week");
    auto* combo = static_cast<QComboBox*>(ui.Control(Combo));
    combo->showPopup();
    QWidget* popup = combo->view()->window();
    EXPECT_NE(popup, ui.Window());
    EXPECT_LE(popup->height() + combo->height(), DropDownOpenedHeight);
    EXPECT_TRUE(combo->view()->verticalScrollBar()->isVisible());
    combo->hidePopup();
}

TEST_F(QtEvents, ReportListSplitsEachRowIntoCellsAtLineFeeds) {
    struct Row {
        const char* name;
        std::u16string text;
        std::vector<QString> cells;
    };
    const Row rows[] = {
        {"three parts", u"Plank\n3 x 60\nhold", {"Plank", "3 x 60", "hold"}},
        {"one part", u"Run", {"Run", "", ""}},
        {"empty middle", u"A\n\nz", {"A", "", "z"}},
        {"extra part dropped", u"a\nb\nc\nd", {"a", "b", "c"}},
        {"empty row", u"", {"", "", ""}},
    };
    auto* list = static_cast<QTableWidget*>(ui.Control(List));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ui.RemoveAllItems(List);
        ui.AddItem(List, row.text);
        ASSERT_EQ(list->rowCount(), 1);
        for (int column = 0; column < 3; ++column) {
            QTableWidgetItem* item = list->item(0, column);
            EXPECT_EQ(item != nullptr ? item->text() : QString(), row.cells[column]);
        }
    }
}

TEST_F(QtEvents, ReportListSelectionGoesWithItsRow) {
    for (const char16_t* text : {u"a", u"b", u"c"}) ui.AddItem(List, text);
    EXPECT_EQ(ui.GetState(List), -1);
    ui.SetState(List, 1);
    EXPECT_EQ(ui.GetState(List), 1);
    ui.RemoveItem(List, 0);
    EXPECT_EQ(ui.GetState(List), 0);  // the selected row moved up by one
    ui.RemoveItem(List, 0);
    EXPECT_EQ(ui.GetState(List), -1);
    ui.SetState(List, 7);
    EXPECT_EQ(ui.GetState(List), -1);
    // A user's click selects a whole row and reaches the loop.
    auto* list = static_cast<QTableWidget*>(ui.Control(List));
    QApplication::processEvents();
    const QRect cell = list->visualItemRect(list->item(0, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(ui.GetState(List), 0);
    EXPECT_EQ(Drain(), std::vector<int>{List});
}

TEST_F(QtEvents, PictureTakesItsOwnSizeAndBlendsOverThePanel) {
    constexpr int Pic = 9;
    ui.CreateControl(Pic, ControlKind::Picture, Panel, 5, 5, 130, 50, u"", Alignment::Left);
    Picture picture;
    picture.width = 2;
    picture.height = 3;
    picture.bitsPerPixel = 32;
    picture.pixels = {255, 0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 128,
                      1,   2, 3, 255, 4, 5,   6, 0, 7, 8, 9,   255};
    ui.SetPicture(Pic, picture);
    EXPECT_EQ(ui.Control(Pic)->size(), QSize(2, 3));
    QImage shown = ui.Control(Panel)->grab(QRect(ui.Control(Pic)->geometry())).toImage();
    const QColor face = ui.Control(Panel)->palette().color(QPalette::Window);
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(shown.pixelColor(1, 0), face);  // fully transparent: the panel shows
    const QColor half = shown.pixelColor(0, 1);
    EXPECT_NEAR(half.blue(), (255 + face.blue()) / 2, 2);
    EXPECT_NEAR(half.red(), face.red() / 2, 2);
}

using KeyEvents = std::vector<std::pair<int, UserCommand>>;

TEST_F(QtEvents, InputFieldKeepsItsOwnEditingKeysAndGivesUpOnlyCtrlS) {
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    ui.SetText(Field, u"hello");
    Focus(Field);
    auto* field = static_cast<QLineEdit*>(ui.Control(Field));
    field->selectAll();
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("hello")) << "the field's own copy";
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QStringLiteral("hellohello"));
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QStringLiteral("hello"));
    QTest::keyClick(field, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QStringLiteral("hellohello"));
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_Delete);
    EXPECT_EQ(field->text(), QStringLiteral("ellohello"));
    field->selectAll();
    QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("ellohello"));
    QTest::keyClick(field, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(DrainKeys(), (KeyEvents{{Field, UserCommand::Save}}));
}

TEST_F(QtEvents, ClipboardTextGoesThroughTheSystemClipboard) {
    const std::u16string text = u"Übung|1|2|x\nRun|3|4|\U0001F600\n";
    ui.SetClipboardText(text);
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromStdU16String(text));
    QApplication::clipboard()->setText(QStringLiteral("from another program"));
    EXPECT_EQ(ui.GetClipboardText(), u"from another program");
    QApplication::clipboard()->clear();
    EXPECT_EQ(ui.GetClipboardText(), u"");
    EXPECT_TRUE(Drain().empty());
}

TEST_F(QtEvents, ContextMenuOfTheWindowRaisesTheChosenItemsCommand) {
    ui.SetContextMenu({{u"Show report"}, {u"Export as CSV"}, {u"Export as calendar"}});
    QStringList shown;
    int choose = 1;
    ui.onContextMenu = [&](QMenu& menu) {
        for (const QAction* action : menu.actions()) shown << action->text();
        if (choose < 0) {
            menu.close();
            return;
        }
        menu.setActiveAction(menu.actions().at(choose));
        QTest::keyClick(&menu, Qt::Key_Return);
    };
    // A right click on a button is the window's, as on the panel or the list.
    auto* button = ui.Control(Button);
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            button->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(button, &click);
    EXPECT_EQ(shown, (QStringList{"Show report", "Export as CSV", "Export as calendar"}));
    EXPECT_EQ(DrainKeys(), (KeyEvents{{-1 - 1, UserCommand::None}})) << "the second item";

    // Shift+F10 opens it from the keyboard; closing it without a choice raises nothing.
    choose = 2;
    ui.Control(List)->setFocus();
    QTest::keyClick(ui.Control(List), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(DrainKeys(), (KeyEvents{{-1 - 2, UserCommand::None}})) << "the third item";
    choose = -1;
    QContextMenuEvent onPanel(QContextMenuEvent::Keyboard, QPoint(1, 1),
                              ui.Control(Panel)->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(ui.Control(Panel), &onPanel);
    EXPECT_TRUE(DrainKeys().empty());

    // A greyed item is shown greyed, and choosing it raises nothing.
    ui.SetMenuItemEnabled(1, false);
    choose = 1;
    std::vector<bool> enabled;
    ui.onContextMenu = [&](QMenu& menu) {
        for (const QAction* action : menu.actions()) enabled.push_back(action->isEnabled());
        menu.actions().at(choose)->trigger();
        menu.close();
    };
    QApplication::sendEvent(button, &click);
    EXPECT_EQ(enabled, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(DrainKeys().empty());
}

TEST_F(QtEvents, TheFileDialogGivesTheChosenFileOrNothing) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("strong export.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QString title;
    QStringList filters;
    bool accept = true;
    ui.onFileDialog = [&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        filters = dialog.nameFilters();
        if (!accept) {
            dialog.reject();
            return;
        }
        dialog.selectFile(path);
        QMetaObject::invokeMethod(&dialog, "accept");
    };
    const OpenFileRequest request{u"Import training", u"CSV files", u"*.csv"};
    EXPECT_EQ(ui.ChooseFileToOpen(request), path.toStdU16String());
    EXPECT_EQ(title, QStringLiteral("Import training"));
    EXPECT_EQ(filters, (QStringList{"CSV files (*.csv)", "* (*)"}));
    accept = false;
    EXPECT_EQ(ui.ChooseFileToOpen(request), std::nullopt);
    EXPECT_TRUE(Drain().empty());
}

}  // namespace
