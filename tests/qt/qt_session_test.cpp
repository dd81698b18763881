// Whole sessions through the real widgets: keys typed into the fields, buttons clicked, the
// window closed; the data files must hold exactly the expected bytes afterwards.
#include <gtest/gtest.h>

#include <QComboBox>
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

}  // namespace
