// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as built: every control's id, kind, parent, geometry, creation order and
// initial text; the order of columns, fills, pictures, tooltips and accessible names in the
// build; each control's accessible name in German and English; the enabling of the unit
// fields by the name field.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "app/accessible_names.h"
#include "app/app_test_support.h"
#include "app/control_ids.h"
#include "app/main_window.h"
#include "config/configuration.h"

namespace {

using apptest::RecordingUi;

class AppMainWindow : public apptest::SessionTest {
  protected:
    AppMainWindow() {
        apptest::WriteIni();
        apptest::WriteUnits({u"A|1|2|x", u"B|3|4|y"});
        apptest::WriteHistory({{8, {u"", u"", u"A|1|2|x"}}});
    }
};

struct ExpectedControl {
    int order;
    int id;
    ControlKind kind;
    int parent;
    int x, y, width, height;
    std::u16string text;
    Alignment alignment;
};

TEST_F(AppMainWindow, ControlsHaveTheirIdsKindsParentsGeometryOrderAndTexts) {
    using K = ControlKind;
    using A = Alignment;
    const int top = MainWindowParent;
    const ExpectedControl expected[] = {
        {0, 16, K::PushButton, top, 10, 210, 640, 20, u"Speichern", A::Left},
        {1, 0, K::Panel, top, 10, 10, 230, 190, u"", A::Left},
        {2, 10, K::ReportList, 0, 9, 39, 210, 140, u"", A::Left},
        {3, 11, K::DropDownList, 0, 9, 9, 100, 20, u"", A::Left},
        {4, 12, K::DropDownList, 0, 119, 9, 100, 20, u"", A::Left},
        {5, 1, K::Panel, top, 250, 10, 400, 190, u"", A::Left},
        {6, 2, K::PushButton, 1, 9, 9, 150, 20, u"Trainingseinheit hinzufügen", A::Left},
        {7, 3, K::PushButton, 1, 9, 39, 150, 20, u"Neue Erstellen", A::Left},
        {8, 4, K::DropDownList, 1, 169, 9, 220, 20, u"", A::Left},
        {9, 5, K::Label, 1, 9, 69, 50, 20, u"Anzahl:", A::Right},
        {10, 6, K::Input, 1, 79, 69, 20, 20, u"1", A::Left},
        {11, 7, K::Input, 1, 129, 69, 30, 20, u"15", A::Left},
        {12, 8, K::Input, 1, 269, 39, 120, 20, u"", A::Left},
        {13, 9, K::Input, 1, 269, 69, 120, 20, u"", A::Left},
        {14, 13, K::PushButton, 1, 9, 99, 150, 20, u"Löschen", A::Left},
        {15, 14, K::Picture, 1, 19, 129, 130, 50, u"", A::Left},
        {16, 15, K::Picture, 1, 169, 99, 220, 80, u"", A::Left},
        {17, 17, K::Label, 1, 104, 69, 20, 20, u"x", A::Centre},
        {18, 18, K::Label, 1, 169, 69, 90, 20, u"Beschreibung:", A::Right},
        {19, 19, K::Label, 1, 169, 39, 90, 20, u"Name:", A::Right},
    };
    ScriptedUi ui;
    Run(ui);
    ASSERT_EQ(ui.controls.size(), 20u);
    for (const ExpectedControl& row : expected) {
        SCOPED_TRACE(test::ToUtf8(ControlNameOf(row.id)));
        ASSERT_TRUE(ui.HasControl(row.id));
        const ScriptedControl& control = ui.Control(row.id);
        EXPECT_EQ(control.creationOrder, row.order);
        EXPECT_EQ(control.kind, row.kind);
        EXPECT_EQ(control.parent, row.parent);
        EXPECT_EQ(control.x, row.x);
        EXPECT_EQ(control.y, row.y);
        EXPECT_EQ(control.width, row.width);
        EXPECT_EQ(control.height, row.height);
        EXPECT_EQ(control.text, row.text);
        EXPECT_EQ(control.alignment, row.alignment);
    }
    const auto& columns = ui.Control(EntryList).columns;
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0], std::make_pair(std::u16string(u"Einheit"), 100));
    EXPECT_EQ(columns[1], std::make_pair(std::u16string(u"Anzahl"), 50));
    EXPECT_EQ(columns[2], std::make_pair(std::u16string(u"Mehr"), 56));
    EXPECT_EQ(ui.Control(SmallPicture).tooltip,
              u"Du kannst das Bild SmallImage.png im Ordner 'media' ändern!");
    EXPECT_EQ(ui.Control(BigPicture).tooltip,
              u"Du kannst das Bild BigImage.png im Ordner 'media' ändern!");
    EXPECT_EQ(ui.Control(BigPicture).pictureBits, 32);
    EXPECT_EQ(ui.Control(SmallPicture).pictureBits, 24);
}

TEST_F(AppMainWindow, UnitFieldsStartDisabledAndNameFieldEnabled) {
    ScriptedUi ui;
    Run(ui);
    EXPECT_FALSE(ui.Control(Count1Field).enabled);
    EXPECT_FALSE(ui.Control(Count2Field).enabled);
    EXPECT_FALSE(ui.Control(DescriptionField).enabled);
    EXPECT_TRUE(ui.Control(NameField).enabled);
    EXPECT_EQ(ui.Control(UnitCombo).selected, 1);  // the last unit
}

TEST_F(AppMainWindow, BuildRunsFillsPicturesAndTooltipsAtTheirPlaces) {
    RecordingUi ui;
    Run(ui);
    // The window build without the rows the fills add: each fill shows by its clear.
    std::vector<std::string> build;
    for (const std::string& line : ui.log) {
        if (line.rfind("add", 0) != 0 && line.rfind("select", 0) != 0) build.push_back(line);
    }
    const std::vector<std::string> expected = {
        "open 0 656 236 Velmora - Mittwoch - 0.1",
        "create 16",
        "create 0",
        "create 10",
        "column 10 Einheit 100",
        "column 10 Anzahl 50",
        "column 10 Mehr 56",
        "clear 10",
        "create 11",
        "clear 11",
        "create 12",
        "clear 12",
        "create 1",
        "create 2",
        "create 3",
        "create 4",
        "clear 4",
        "create 5",
        "create 6",
        "create 7",
        "create 8",
        "create 9",
        "enable 6 0",
        "enable 7 0",
        "enable 9 0",
        "create 13",
        "create 14",
        "picture 14",
        "create 15",
        "picture 15",
        "tooltip 14",
        "tooltip 15",
        "create 17",
        "create 18",
        "create 19",
        // The names come last: a field's label is created after it.
        "access 0",
        "access 10",
        "access 11",
        "access 12",
        "access 1",
        "access 4",
        "access 6",
        "access 7",
        "access 8",
        "access 9",
        "access 14",
        "access 15",
    };
    EXPECT_EQ(build, expected);
}

TEST_F(AppMainWindow, PictureOfAnotherSizeResizesOnlyItsControl) {
    test::WriteFileBytes("media/BigImage.png", apptest::MakeSimplePng(100, 30, false));
    ScriptedUi ui;
    Run(ui);
    EXPECT_EQ(ui.Control(BigPicture).width, 100);
    EXPECT_EQ(ui.Control(BigPicture).height, 30);
    EXPECT_EQ(ui.Control(BigPicture).x, 169);
    EXPECT_EQ(ui.Control(SmallPicture).width, 130);
    EXPECT_EQ(ui.Control(DeleteEntryButton).width, 150);
}

TEST_F(AppMainWindow, EmptyCatalogueLeavesUnitComboWithoutSelection) {
    apptest::WriteUnits({});
    ScriptedUi ui;
    Run(ui);
    EXPECT_TRUE(ui.Control(UnitCombo).items.empty());
    EXPECT_EQ(ui.Control(UnitCombo).selected, -1);
}

TEST_F(AppMainWindow, NameFieldEnablesTheOtherFieldsOnlyWhenTheStateChanges) {
    RecordingUi ui;
    const std::u16string names[] = {u"a", u"ab", u"", u"", u" "};
    for (const std::u16string& name : names) ui.QueueText(NameField, name);
    ui.QueueClick(NameField);  // an event without a text change acts on the text as it is
    Run(ui);
    auto built = std::find(ui.log.begin(), ui.log.end(), "create 19");
    std::vector<std::string> enables;
    for (auto it = built; it != ui.log.end(); ++it) {
        if (it->rfind("enable", 0) == 0) enables.push_back(*it);
    }
    const std::vector<std::string> expected = {
        "enable 6 1", "enable 7 1", "enable 9 1",  // "a"
        "enable 6 0", "enable 7 0", "enable 9 0",  // ""
        "enable 6 1", "enable 7 1", "enable 9 1",  // " ": blanks count as a name
    };
    EXPECT_EQ(enables, expected);
    EXPECT_TRUE(ui.Control(DescriptionField).enabled);
}

TEST_F(AppMainWindow, EventsOfOtherControlsChangeNothing) {
    ScriptedUi ui;
    for (int id :
         std::initializer_list<int>{PlanPanel, EditPanel, UnitCombo, CountLabel, Count1Field,
                                    Count2Field, DescriptionField, EntryList, SmallPicture,
                                    BigPicture, TimesLabel, DescriptionLabel, NameLabel, 99, -1}) {
        ui.QueueClick(id);
    }
    Run(ui);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.pauses.empty());
    EXPECT_EQ(ui.Control(EntryList).items.size(), 1u);
    EXPECT_FALSE(ui.Control(Count1Field).enabled);
    EXPECT_EQ(test::ReadFileBytes("units/units.txt"),
              test::LineFileBytes({u"A|1|2|x", u"B|3|4|y"}));
}

struct ExpectedAccessible {
    int id;
    const char16_t* german;   // the built-in texts and default/lang/Deutsch.txt
    const char16_t* english;  // default/lang/English.txt
    int label;                // the label beside the control, -1 for none
};

// Buttons and labels are left out: they keep their own text as name.
const ExpectedAccessible AccessibleRows[] = {
    {PlanPanel, u"Trainingsplan", u"Training plan", -1},
    {EntryList, u"Einträge des Tages", u"Entries of the day", -1},
    {WeekCombo, u"Woche", u"Week", -1},
    {DayCombo, u"Tag", u"Day", -1},
    {EditPanel, u"Einträge bearbeiten", u"Edit entries", -1},
    {UnitCombo, u"Trainingseinheit", u"Training unit", -1},
    {Count1Field, u"Anzahl:", u"Count:", CountLabel},
    {Count2Field, u"Anzahl: x", u"Count: x", TimesLabel},
    {NameField, u"Name:", u"Name:", NameLabel},
    {DescriptionField, u"Beschreibung:", u"Description:", DescriptionLabel},
    {SmallPicture, u"Kleines Bild", u"Small picture", -1},
    {BigPicture, u"Großes Bild", u"Big picture", -1},
};

class AppAccessibleNames : public AppMainWindow {
  protected:
    // The accessible text of every control after a start in this language; an empty
    // language file name starts on the built-in texts.
    void CheckNames(const std::string& languageFile, bool english) {
        if (!languageFile.empty()) {
            std::filesystem::create_directories("lang");
            std::filesystem::copy_file(std::string(VELMORA_DEFAULT_FOLDER "/lang/") + languageFile,
                                       "lang/" + languageFile);
            apptest::WriteIni(languageFile.substr(0, languageFile.size() - 4));
        }
        ScriptedUi ui;
        Run(ui);
        std::set<int> named;
        for (const ExpectedAccessible& row : AccessibleRows) {
            SCOPED_TRACE(test::ToUtf8(ControlNameOf(row.id)));
            named.insert(row.id);
            const ScriptedControl& control = ui.Control(row.id);
            EXPECT_EQ(control.accessibleName, english ? row.english : row.german);
            EXPECT_EQ(control.accessibleLabel, row.label);
            // A picture is described by its tooltip, nothing else has a description.
            const bool picture = control.kind == ControlKind::Picture;
            EXPECT_EQ(control.accessibleDescription, picture ? control.tooltip : u"");
            if (picture) {
                EXPECT_FALSE(control.tooltip.empty());
            }
            EXPECT_EQ(AccessibleTextOf(program->texts, row.id).name, control.accessibleName);
        }
        for (const auto& [id, control] : ui.controls) {
            if (named.count(id) != 0) continue;
            SCOPED_TRACE(test::ToUtf8(ControlNameOf(id)));
            EXPECT_TRUE(control.kind == ControlKind::PushButton ||
                        control.kind == ControlKind::Label);
            EXPECT_EQ(control.accessibleName, u"");
            EXPECT_EQ(control.accessibleDescription, u"");
            EXPECT_EQ(control.accessibleLabel, -1);
            EXPECT_FALSE(control.text.empty()) << "its own text is its name";
        }
    }
};

TEST_F(AppAccessibleNames, GermanBuiltInTexts) {
    CheckNames("", false);
}

TEST_F(AppAccessibleNames, GermanLanguageFile) {
    CheckNames("Deutsch.txt", false);
}

TEST_F(AppAccessibleNames, EnglishLanguageFile) {
    CheckNames("English.txt", true);
}

TEST(AppAccessibleText, LabelTextsAreJoinedByOneBlankWithoutTheirOuterBlanks) {
    test::TempWorkingDirectory directory;
    struct Row {
        const char* name;
        const char* languageFile;  // the two labels' texts
        const char16_t* expected;
    };
    const Row rows[] = {
        {"plain", "[Edit]\nAddCountTxt = S\xC3\xA4tze:\nDividerTxt = \xC3\x97\n", u"Sätze: ×"},
        {"blanks after the texts", "[Edit]\nAddCountTxt = Sets:  \nDividerTxt = x \n", u"Sets: x"},
        {"empty count label", "[Edit]\nAddCountTxt =\nDividerTxt = x\n", u"x"},
        {"empty times label", "[Edit]\nAddCountTxt = Count:\nDividerTxt =\n", u"Count:"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::WriteFileBytes("texts.txt", row.languageFile);
        TextTable texts = BuildTextTable();
        ApplyLanguageFile(texts, u"texts.txt");
        const AccessibleText text = AccessibleTextOf(texts, Count2Field);
        EXPECT_EQ(text.name, row.expected);
        EXPECT_EQ(text.labelId, TimesLabel);
        EXPECT_EQ(text.description, u"");
    }
    const TextTable texts = BuildTextTable();
    EXPECT_EQ(AccessibleTextOf(texts, SaveButton).name, u"");
    EXPECT_EQ(AccessibleTextOf(texts, TimesLabel).labelId, -1);
    EXPECT_EQ(AccessibleTextOf(texts, ControlCount).name, u"");
    EXPECT_EQ(AccessibleTextOf(texts, SmallPicture).description,
              u"Du kannst das Bild SmallImage.png im Ordner 'media' ändern!");
}

TEST(AppControlTable, IdsAreUniqueAndParentsComeFirst) {
    std::set<int> seen;
    std::set<std::u16string> names;
    for (const ControlSpec& spec : MainWindowControls) {
        SCOPED_TRACE(spec.id);
        EXPECT_TRUE(spec.id >= 0 && spec.id < ControlCount);
        EXPECT_TRUE(seen.insert(spec.id).second);
        EXPECT_TRUE(names.insert(spec.name).second);
        EXPECT_TRUE(spec.parent == MainWindowParent || seen.count(spec.parent) == 1);
        EXPECT_EQ(ControlSpecOf(spec.id), &spec);
        EXPECT_EQ(ControlNameOf(spec.id), spec.name);
    }
    EXPECT_EQ(seen.size(), std::size_t(ControlCount));
    EXPECT_EQ(ControlSpecOf(-1), nullptr);
    EXPECT_EQ(ControlSpecOf(ControlCount), nullptr);
    EXPECT_EQ(ControlNameOf(ControlCount), u"");
}

}  // namespace
