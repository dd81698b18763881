// SPDX-License-Identifier: GPL-3.0-or-later
// After a real start-up on the Qt back end: every control's kind, place, size, text, enabled
// state and Tab order, the window itself, the picture tooltips, the list columns, a buddy
// label's text and a drop-down list's accessible text.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "app/control_ids.h"
#include "app/qt/qt_widgets.h"
#include "qt_session.h"

namespace {

struct ExpectedControl {
    const char* name;
    int id;
    ControlKind kind;
    int parent;
    int x, y, width, height;
    const char* text;
    bool enabled;
};

// The window table with the English texts shipped in default/lang/English.txt; the pictures
// have the size of the shipped files.
const ExpectedControl kExpected[] = {
    {"SaveButton", SaveButton, ControlKind::PushButton, -1, 10, 210, 640, 20, "Save", true},
    {"PlanPanel", PlanPanel, ControlKind::Panel, -1, 10, 10, 230, 190, "", true},
    {"EntryList", EntryList, ControlKind::ReportList, PlanPanel, 9, 39, 210, 140, "", true},
    {"WeekCombo", WeekCombo, ControlKind::DropDownList, PlanPanel, 9, 9, 100, 20, "Week - 8", true},
    {"DayCombo", DayCombo, ControlKind::DropDownList, PlanPanel, 119, 9, 100, 20, "Wednesday",
     true},
    {"EditPanel", EditPanel, ControlKind::Panel, -1, 250, 10, 400, 190, "", true},
    {"AddEntryButton", AddEntryButton, ControlKind::PushButton, EditPanel, 9, 9, 150, 20,
     "Add training unit", true},
    {"CreateUnitButton", CreateUnitButton, ControlKind::PushButton, EditPanel, 9, 39, 150, 20,
     "Create new", true},
    {"UnitCombo", UnitCombo, ControlKind::DropDownList, EditPanel, 169, 9, 220, 20, "", true},
    {"CountLabel", CountLabel, ControlKind::Label, EditPanel, 9, 69, 50, 20, "Count:", true},
    {"Count1Field", Count1Field, ControlKind::Input, EditPanel, 79, 69, 20, 20, "1", false},
    {"Count2Field", Count2Field, ControlKind::Input, EditPanel, 129, 69, 30, 20, "15", false},
    {"NameField", NameField, ControlKind::Input, EditPanel, 269, 39, 120, 20, "", true},
    {"DescriptionField", DescriptionField, ControlKind::Input, EditPanel, 269, 69, 120, 20, "",
     false},
    {"DeleteEntryButton", DeleteEntryButton, ControlKind::PushButton, EditPanel, 9, 99, 150, 20,
     "Delete", true},
    {"SmallPicture", SmallPicture, ControlKind::Picture, EditPanel, 19, 129, 130, 50, "", true},
    {"BigPicture", BigPicture, ControlKind::Picture, EditPanel, 169, 99, 220, 80, "", true},
    {"TimesLabel", TimesLabel, ControlKind::Label, EditPanel, 104, 69, 20, 20, "x", true},
    {"DescriptionLabel", DescriptionLabel, ControlKind::Label, EditPanel, 169, 69, 90, 20,
     "Description:", true},
    {"NameLabel", NameLabel, ControlKind::Label, EditPanel, 169, 39, 90, 20, "Name:", true},
};

bool HasKind(QWidget* widget, ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton:
            return qobject_cast<QPushButton*>(widget) != nullptr;
        case ControlKind::Panel:
            return dynamic_cast<PanelFrame*>(widget) != nullptr;
        case ControlKind::DropDownList:
            return dynamic_cast<DropDownList*>(widget) != nullptr;
        case ControlKind::ReportList:
            return qobject_cast<QTableWidget*>(widget) != nullptr;
        case ControlKind::Input:
            return dynamic_cast<InputField*>(widget) != nullptr;
        case ControlKind::Label: {
            auto* label = qobject_cast<QLabel*>(widget);
            return label != nullptr && label->pixmap().isNull();
        }
        case ControlKind::Picture: {
            auto* label = qobject_cast<QLabel*>(widget);
            return label != nullptr && !label->pixmap().isNull();
        }
    }
    return false;
}

QString ShownText(QWidget* widget) {
    if (auto* button = qobject_cast<QPushButton*>(widget)) return button->text();
    if (auto* field = qobject_cast<QLineEdit*>(widget)) return field->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentText();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    return {};
}

// Everything the tests read from the running program, taken at the first idle moment.
struct StartupView {
    bool taken = false;
    QString title;
    QSize clientSize;
    bool fixedSize = false;
    bool maximiseOffered = true;
    bool minimiseOffered = false;
    bool closeOffered = false;
    bool hasIcon = false;
    std::vector<int> focusChain;
    std::vector<int> tabOrder;
};

int IdOf(QtUi& ui, QWidget* widget) {
    for (int id = 0; id < ControlCount; ++id) {
        if (ui.Control(id) == widget) return id;
    }
    return -1;
}

class QtStartup : public testing::Test {
  protected:
    qttest::Session session;
    StartupView view;

    void TakeView(QtUi& ui) {
        QWidget* window = ui.Window();
        ASSERT_NE(window, nullptr);
        view.taken = true;
        view.title = window->windowTitle();
        view.clientSize = window->size();
        view.fixedSize = window->minimumSize() == window->maximumSize();
        const Qt::WindowFlags flags = window->windowFlags();
        view.maximiseOffered = flags.testFlag(Qt::WindowMaximizeButtonHint);
        view.minimiseOffered = flags.testFlag(Qt::WindowMinimizeButtonHint);
        view.closeOffered = flags.testFlag(Qt::WindowCloseButtonHint);
        view.hasIcon = !window->windowIcon().isNull();
        for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
            const int id = IdOf(ui, w);
            if (id >= 0 && (w->focusPolicy() & Qt::TabFocus)) view.focusChain.push_back(id);
        }
        // Real Tab presses from the save button: disabled fields are passed over.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        ui.Control(SaveButton)->setFocus(Qt::TabFocusReason);
        for (int press = 0; press < 10; ++press) {
            QWidget* focus = QApplication::focusWidget();
            ASSERT_NE(focus, nullptr);
            view.tabOrder.push_back(IdOf(ui, focus));
            QTest::keyClick(focus, Qt::Key_Tab);
        }
    }
};

TEST_F(QtStartup, EveryControlHasItsKindPlaceSizeTextAndState) {
    std::vector<qttest::Step> steps;
    steps.push_back([this](QtUi& ui) {
        for (const ExpectedControl& expected : kExpected) {
            SCOPED_TRACE(expected.name);
            QWidget* widget = ui.Control(expected.id);
            ASSERT_NE(widget, nullptr);
            EXPECT_TRUE(HasKind(widget, expected.kind));
            QWidget* parent = expected.parent < 0 ? ui.Window() : ui.Control(expected.parent);
            EXPECT_EQ(widget->parentWidget(), parent);
            // Inside a panel the place counts from the inner area, within its border.
            const QPoint inner(parent->contentsMargins().left(), parent->contentsMargins().top());
            EXPECT_EQ(widget->pos() - inner, QPoint(expected.x, expected.y));
            EXPECT_EQ(widget->size(), QSize(expected.width, expected.height));
            EXPECT_EQ(ShownText(widget), QString::fromUtf8(expected.text));
            EXPECT_EQ(widget->isEnabled(), expected.enabled);
            EXPECT_TRUE(widget->isVisible());
        }
        TakeView(ui);
    });
    EXPECT_EQ(session.Run(steps), 0);
    ASSERT_TRUE(view.taken);
    EXPECT_EQ(view.title, QStringLiteral("Velmora - Wednesday - 0.1"));
    EXPECT_EQ(view.clientSize, QSize(656, 236));
    EXPECT_TRUE(view.fixedSize);
    EXPECT_FALSE(view.maximiseOffered);
    EXPECT_TRUE(view.minimiseOffered);
    EXPECT_TRUE(view.closeOffered);
    EXPECT_TRUE(view.hasIcon);
    const std::vector<int> creationOrder = {
        SaveButton, EntryList,   WeekCombo,   DayCombo,  AddEntryButton,   CreateUnitButton,
        UnitCombo,  Count1Field, Count2Field, NameField, DescriptionField, DeleteEntryButton};
    EXPECT_EQ(view.focusChain, creationOrder);
    const std::vector<int> tabbing = {SaveButton,        EntryList,        WeekCombo, DayCombo,
                                      AddEntryButton,    CreateUnitButton, UnitCombo, NameField,
                                      DeleteEntryButton, SaveButton};
    EXPECT_EQ(view.tabOrder, tabbing);
}

TEST_F(QtStartup, ListsPicturesAndTooltipsAreSetUp) {
    std::vector<qttest::Step> steps;
    steps.push_back([](QtUi& ui) {
        auto* list = qobject_cast<QTableWidget*>(ui.Control(EntryList));
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->columnCount(), 3);
        const char* headers[] = {"Unit", "Count", "More"};
        const int widths[] = {100, 50, 56};
        for (int column = 0; column < 3; ++column) {
            SCOPED_TRACE(headers[column]);
            EXPECT_EQ(list->horizontalHeaderItem(column)->text(), QString(headers[column]));
            EXPECT_EQ(list->columnWidth(column), widths[column]);
        }
        EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
        EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
        EXPECT_TRUE(list->showGrid());
        EXPECT_EQ(list->frameShadow(), QFrame::Sunken);
        const QColor grid = QColor::fromRgba(
            QRgb(list->style()->styleHint(QStyle::SH_Table_GridLineColor, nullptr, list)));
        EXPECT_EQ(grid, list->palette().color(QPalette::Window));

        auto* days = qobject_cast<QComboBox*>(ui.Control(DayCombo));
        ASSERT_EQ(days->count(), 7);
        EXPECT_EQ(days->itemText(0), QStringLiteral("Monday"));
        EXPECT_EQ(days->currentIndex(), 2);
        EXPECT_FALSE(days->isEditable());
        auto* units = qobject_cast<QComboBox*>(ui.Control(UnitCombo));
        EXPECT_EQ(units->count(), 0);
        EXPECT_EQ(units->currentIndex(), -1);

        EXPECT_EQ(
            ui.Control(SmallPicture)->toolTip(),
            QStringLiteral("You can change the picture SmallImage.png in the 'media' folder!"));
        EXPECT_EQ(ui.Control(BigPicture)->toolTip(),
                  QStringLiteral("You can change the picture BigImage.png in the 'media' folder!"));
        auto* big = qobject_cast<QLabel*>(ui.Control(BigPicture));
        EXPECT_TRUE(big->pixmap().hasAlphaChannel());
        EXPECT_FALSE(big->autoFillBackground());
        auto* labels = qobject_cast<QLabel*>(ui.Control(CountLabel));
        EXPECT_TRUE(labels->alignment() & Qt::AlignRight);
        EXPECT_TRUE(qobject_cast<QLabel*>(ui.Control(TimesLabel))->alignment() & Qt::AlignHCenter);
    });
    EXPECT_EQ(session.Run(steps), 0);
}

TEST(QtStartupGerman, TheGermanButtonCaptionsFitTheirButtons) {
    qttest::Session german("Deutsch");
    std::vector<qttest::Step> steps;
    steps.push_back([](QtUi& ui) {
        for (int id : {SaveButton, AddEntryButton, CreateUnitButton, DeleteEntryButton}) {
            auto* button = qobject_cast<QPushButton*>(ui.Control(id));
            SCOPED_TRACE(button->text().toStdString());
            // The caption fits between the button's margins at the chosen font.
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + 8, button->width());
            EXPECT_LE(button->fontMetrics().height(), button->height() - 4);
        }
        EXPECT_EQ(qobject_cast<QPushButton*>(ui.Control(AddEntryButton))->text(),
                  QStringLiteral("Trainingseinheit hinzufügen"));
    });
    EXPECT_EQ(german.Run(steps), 0);
}

// What the AT-SPI test (tests/access) cannot see: a buddy label's '&' is shown and read back
// as the program set it, and a drop-down list's text follows its selected row.
TEST(QtStartupAccessibleNames, BuddyLabelsKeepTheirAmpersandAndListsTheirRow) {
    qttest::Session session("Probe");
    test::WriteFileBytes(session.Folder() / "lang" / "Probe.txt",
                         "[Edit]\nNameTxt = S\xC3\xA4tze & Wdh.:\n");
    std::vector<qttest::Step> steps;
    steps.push_back([](QtUi& ui) {
        auto* label = qobject_cast<QLabel*>(ui.Control(NameLabel));
        EXPECT_EQ(label->buddy(), ui.Control(NameField));
        EXPECT_EQ(label->text(), QStringLiteral("Sätze && Wdh.:"));
        EXPECT_EQ(ui.GetText(NameLabel), u"Sätze & Wdh.:");
        EXPECT_EQ(ui.Control(NameField)->accessibleName(), QStringLiteral("Sätze & Wdh.:"));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name),
                  QStringLiteral("Sätze & Wdh.:"));
        ui.SetText(NameLabel, u"A & B");
        EXPECT_EQ(label->text(), QStringLiteral("A && B"));
        EXPECT_EQ(ui.GetText(NameLabel), u"A & B");

        auto* list = qobject_cast<QComboBox*>(ui.Control(DayCombo));
        QAccessibleInterface* days = QAccessible::queryAccessibleInterface(list);
        QAccessibleTextInterface* shown = days->textInterface();
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->text(0, shown->characterCount()), QStringLiteral("Mittwoch"));
        list->setCurrentIndex(4);
        EXPECT_EQ(shown->text(0, shown->characterCount()), QStringLiteral("Freitag"));
        EXPECT_EQ(days->text(QAccessible::Value), QStringLiteral("Freitag"));
        EXPECT_EQ(days->text(QAccessible::Name), QStringLiteral("Tag"));
        ASSERT_EQ(days->childCount(), 1);
        EXPECT_EQ(days->child(0)->object(), list->view());
    });
    EXPECT_EQ(session.Run(steps), 0);
}

}  // namespace
