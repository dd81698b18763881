// SPDX-License-Identifier: GPL-3.0-or-later
// Whole sessions through the real widgets: keys typed into the fields, buttons clicked, the
// editing keys pressed, a file imported through the context menu and the file dialog, the
// window closed; the data files must hold exactly the expected bytes afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "app/control_ids.h"
#include "qt_session.h"

namespace {

void Type(QtUi& ui, int id, const char* text) {
    QWidget* field = ui.Control(id);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

void Click(QtUi& ui, int id) {
    QTest::mouseClick(ui.Control(id), Qt::LeftButton);
}

// A click on a row of the entry list (which should have the focus already: a focus move
// away from a drop-down list refills the entry list after the click).
void ClickRow(QtUi& ui, int row) {
    auto* list = static_cast<QTableWidget*>(ui.Control(EntryList));
    const QRect cell = list->visualItemRect(list->item(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

void Focus(QtUi& ui, int id) {
    ui.Control(id)->setFocus(Qt::OtherFocusReason);
}

// A key pressed on control id, which has the focus.
void Press(QtUi& ui, int id, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(ui.Control(id), key, modifiers);
}

int RowCount(QtUi& ui) {
    return static_cast<QTableWidget*>(ui.Control(EntryList))->rowCount();
}

QString Clipboard() {
    return QApplication::clipboard()->text();
}

std::vector<std::u16string> EmptyWeek8With(int day, const std::u16string& text) {
    static const char16_t* keys[] = {u"Monday", u"Tuesday",  u"Wednesday", u"Thursday",
                                     u"Friday", u"Saturday", u"Sunday"};
    std::vector<std::u16string> lines = {u"#8"};
    for (int index = 0; index < 7; ++index) {
        lines.push_back(std::u16string(u"=") + keys[index]);
        lines.push_back(index == day ? text : u"");
    }
    return lines;
}

class QtSession : public testing::Test {
  protected:
    void SetUp() override {
        test::WriteFileBytes(session.Folder() / "units" / "units.txt", "");
        test::WriteFileBytes(session.Folder() / "units" / "history.txt", "");
    }
    qttest::Session session;
};

TEST_F(QtSession, CreateAddSaveCloseWritesExactBytes) {
    bool fieldsEnabledByName = false;
    int rowsAfterAdd = -1;
    QString firstCell;
    QString unitShown;
    std::vector<qttest::Step> steps = {
        [&](QtUi& ui) { Type(ui, NameField, "Plank"); },
        [&](QtUi& ui) {
            fieldsEnabledByName =
                ui.Control(Count1Field)->isEnabled() && ui.Control(DescriptionField)->isEnabled();
            Type(ui, Count1Field, "3");
        },
        [&](QtUi& ui) { Type(ui, Count2Field, "60"); },
        [&](QtUi& ui) { Type(ui, DescriptionField, "hold"); },
        [&](QtUi& ui) { Click(ui, CreateUnitButton); },
        [&](QtUi& ui) {
            unitShown = static_cast<QComboBox*>(ui.Control(UnitCombo))->currentText();
            Click(ui, AddEntryButton);
        },
        [&](QtUi& ui) {
            auto* list = static_cast<QTableWidget*>(ui.Control(EntryList));
            rowsAfterAdd = list->rowCount();
            if (list->item(0, 0) != nullptr) firstCell = list->item(0, 0)->text();
            Click(ui, SaveButton);
        },
    };
    EXPECT_EQ(session.Run(steps), 0);
    EXPECT_TRUE(fieldsEnabledByName);
    EXPECT_FALSE(unitShown.isEmpty());
    EXPECT_EQ(rowsAfterAdd, 1);
    EXPECT_EQ(firstCell, QStringLiteral("Plank"));
    EXPECT_TRUE(session.messages.empty());
    // The 100 ms pause after creating shows the normal caption, the one after saving the
    // "saved" caption, painted before the thread sleeps.
    EXPECT_EQ(session.saveTextsDuringPauses,
              (std::vector<QString>{QStringLiteral("Save"), QStringLiteral("Saved!")}));
    EXPECT_EQ(test::ReadFileBytes(session.Folder() / "units" / "units.txt"),
              test::LineFileBytes({u"Plank|3|60|hold"}));
    EXPECT_EQ(test::ReadFileBytes(session.Folder() / "units" / "history.txt"),
              test::LineFileBytes(EmptyWeek8With(2, u"Plank|3|60|hold")));
}

// The context menu's Import... item, Qt's file dialog and the summary box, then Save.
TEST_F(QtSession, ImportThroughTheMenuAndTheDialogWritesTheSetsAtSave) {
    const std::filesystem::path file = session.Folder() / "strong.csv";
    test::WriteFileBytes(file, std::string_view("Date,Exercise Name,Set Order,Weight (kg),Reps\n"
                                                "2024-01-09 18:05:11,Bench,1,80,10\n"
                                                "2024-01-09 18:05:11,Bench,2,80,8\n"));
    QStringList items;
    std::vector<bool> enabled;
    session.ui.onContextMenu = [&](QMenu& menu) {
        for (const QAction* action : menu.actions()) {
            items << action->text();
            enabled.push_back(action->isEnabled());
        }
        menu.setActiveAction(menu.actions().at(3));
        QTest::keyClick(&menu, Qt::Key_Return);
    };
    session.ui.onFileDialog = [&](QFileDialog& dialog) {
        dialog.selectFile(QString::fromStdString(file.string()));
        QMetaObject::invokeMethod(&dialog, "accept");
    };
    std::vector<qttest::Step> steps = {
        [](QtUi& ui) {
            QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                    ui.Window()->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(ui.Window(), &click);
        },
        [](QtUi& ui) { Click(ui, SaveButton); },
    };
    EXPECT_EQ(session.Run(steps), 0);
    EXPECT_EQ(items, (QStringList{"Show report", "Export as CSV", "Export as calendar",
                                  QStringLiteral("Import\u2026"), "Repeat last week"}));
    EXPECT_EQ(enabled, (std::vector<bool>{true, true, true, true, false}))
        << "week 8 has no week before it";
    ASSERT_EQ(session.messages.size(), 1u);
    EXPECT_EQ(session.messages[0].title, QStringLiteral("Import"));
    EXPECT_EQ(session.messages[0].text,
              QStringLiteral("Entries imported: 1\nDays with new entries: 1\n"
                             "New training units: 1\nRows skipped: 0"));
    EXPECT_EQ(test::ReadFileBytes(session.Folder() / "units" / "history.txt"),
              test::LineFileBytes(EmptyWeek8With(1, u"Bench|2|10|80 kg; 10/8")));
    EXPECT_EQ(test::ReadFileBytes(session.Folder() / "units" / "units.txt"),
              test::LineFileBytes({u"Bench|2|10|"}));
}

TEST_F(QtSession, ClosingWithoutSavingLeavesTheFilesAlone) {
    std::vector<qttest::Step> steps = {
        [](QtUi& ui) { Type(ui, NameField, "Run"); },
        [](QtUi& ui) { Click(ui, CreateUnitButton); },
        [](QtUi& ui) { Click(ui, AddEntryButton); },
        // The close box: the window stays until the program closes it.
        [](QtUi& ui) { ui.Window()->close(); },
    };
    EXPECT_EQ(session.Run(steps), 0);
    EXPECT_EQ(session.ui.Window(), nullptr);
    EXPECT_TRUE(test::ReadFileBytes(session.Folder() / "units" / "units.txt").empty());
    EXPECT_TRUE(test::ReadFileBytes(session.Folder() / "units" / "history.txt").empty());
}

TEST_F(QtSession, EditingKeysOnTheRealWidgetsWriteExactBytes) {
    test::WriteFileBytes(session.Folder() / "units" / "units.txt",
                         test::LineFileBytes({u"Plank|3|60|hold"}));
    const auto history = session.Folder() / "units" / "history.txt";
    const auto ctrl = Qt::ControlModifier;
    std::vector<int> rows;  // the entry list's row count before some of the keys
    std::vector<QString> clipboards;
    test::Bytes savedByKey;
    QString nameAfterKeys;
    auto note = [&](QtUi& ui) {
        rows.push_back(RowCount(ui));
        clipboards.push_back(Clipboard());
    };
    QApplication::clipboard()->clear();
    // Each focus move is a step of its own: it raises events the program handles first.
    std::vector<qttest::Step> steps = {
        [&](QtUi& ui) { Click(ui, AddEntryButton); },
        [&](QtUi& ui) { Focus(ui, EntryList); },
        [&](QtUi& ui) { ClickRow(ui, 0); },
        [&](QtUi& ui) { note(ui), Press(ui, EntryList, Qt::Key_C, ctrl); },
        [&](QtUi& ui) { note(ui), Press(ui, EntryList, Qt::Key_V, ctrl); },
        [&](QtUi& ui) { Focus(ui, WeekCombo); },
        [&](QtUi& ui) { note(ui), Press(ui, WeekCombo, Qt::Key_V, ctrl); },
        [&](QtUi& ui) { Focus(ui, EntryList); },
        [&](QtUi& ui) { ClickRow(ui, 2); },
        [&](QtUi& ui) { Press(ui, EntryList, Qt::Key_Delete); },
        [&](QtUi& ui) { Focus(ui, SaveButton); },
        [&](QtUi& ui) { note(ui), Press(ui, SaveButton, Qt::Key_Z, ctrl); },
        [&](QtUi& ui) { Focus(ui, EntryList); },
        [&](QtUi& ui) { note(ui), Press(ui, EntryList, Qt::Key_Z, ctrl); },
        [&](QtUi& ui) { note(ui), Press(ui, EntryList, Qt::Key_Y, ctrl); },
        [&](QtUi& ui) { note(ui), Press(ui, EntryList, Qt::Key_Z, ctrl); },
        [&](QtUi& ui) { Focus(ui, DayCombo); },
        [&](QtUi& ui) { note(ui), Press(ui, DayCombo, Qt::Key_Z, ctrl | Qt::ShiftModifier); },
        [&](QtUi& ui) { Focus(ui, EntryList); },
        [&](QtUi& ui) { ClickRow(ui, 0); },
        [&](QtUi& ui) { note(ui), Press(ui, EntryList, Qt::Key_X, ctrl); },
        [&](QtUi& ui) { note(ui), Focus(ui, NameField); },
        [&](QtUi& ui) { Type(ui, NameField, "Run"); },
        [&](QtUi& ui) {
            auto* name = static_cast<QLineEdit*>(ui.Control(NameField));
            name->selectAll();
            Press(ui, NameField, Qt::Key_C, ctrl);  // the field's own copy,
            Press(ui, NameField, Qt::Key_Delete);   // delete
            Press(ui, NameField, Qt::Key_V, ctrl);  // and paste
            nameAfterKeys = name->text();
            Press(ui, NameField, Qt::Key_S, ctrl);
        },
        [&](QtUi& ui) {
            note(ui);
            savedByKey = test::ReadFileBytes(history);
            Focus(ui, EntryList);
        },
        [&](QtUi& ui) { Press(ui, EntryList, Qt::Key_V, ctrl); },  // "Run" is a unit's line
        [&](QtUi& ui) {
            note(ui);
            QApplication::clipboard()->setText(QStringLiteral("not\\a unit"));
            Press(ui, EntryList, Qt::Key_V, ctrl);
        },
        [&](QtUi& ui) { Focus(ui, AddEntryButton); },
        [&](QtUi& ui) { Press(ui, AddEntryButton, Qt::Key_S, ctrl); },
    };
    EXPECT_EQ(session.Run(steps), 0);
    EXPECT_EQ(rows, (std::vector<int>{1, 1, 2, 2, 3, 2, 3, 2, 3, 2, 2, 3}));
    const QString plank = QStringLiteral("Plank|3|60|hold\n");
    const QString run = QStringLiteral("Run");
    EXPECT_EQ(clipboards, (std::vector<QString>{"", plank, plank, plank, plank, plank, plank, plank,
                                                plank, plank, run, run}));
    EXPECT_EQ(nameAfterKeys, run);
    ASSERT_EQ(session.messages.size(), 1u);
    EXPECT_EQ(session.messages[0].text,
              QStringLiteral("The clipboard holds no training units that can be pasted."));
    EXPECT_EQ(session.saveTextsDuringPauses,
              (std::vector<QString>{QStringLiteral("Saved!"), QStringLiteral("Saved!")}));
    EXPECT_EQ(savedByKey,
              test::LineFileBytes(EmptyWeek8With(2, u"Plank|3|60|hold\\Plank|3|60|hold")));
    EXPECT_EQ(test::ReadFileBytes(history), test::LineFileBytes(EmptyWeek8With(
                                                2, u"Plank|3|60|hold\\Plank|3|60|hold\\Run|0|0|")));
    EXPECT_EQ(test::ReadFileBytes(session.Folder() / "units" / "units.txt"),
              test::LineFileBytes({u"Plank|3|60|hold"}));
}

}  // namespace
