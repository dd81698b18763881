// SPDX-License-Identifier: GPL-3.0-or-later
// The boxes the program shows for the core's reports: nothing for success, the texts of the
// current table, the file in title and text, and the end that a fatal report marks.
#include "app/message_boxes.h"

#include <gtest/gtest.h>

#include "app/scripted_ui.h"
#include "config/configuration.h"
#include "test_support.h"

namespace {

class MessageBoxTest : public ::testing::Test {
  protected:
    ScriptedUi ui;
    ProgramState state{ui};
    void SetUp() override { state.texts = BuildTextTable(); }
};

TEST_F(MessageBoxTest, AReportWithoutKeyShowsNothing) {
    ShowReport(state, {});
    ShowReport(state, {u"", u"units/units.txt", true});
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(state.endRequested);
}

TEST_F(MessageBoxTest, ShowsOneBoxOfTheErrorsGroup) {
    ShowReport(state, {u"Config1", u"ini.ini"});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, u"Fehler");
    EXPECT_EQ(ui.messages[0].text, u"Die Konfigurationsdatei ini.ini wurde nicht gefunden!");
    EXPECT_FALSE(ui.messages[0].fatal);
    EXPECT_FALSE(state.endRequested);
}

TEST_F(MessageBoxTest, FatalReportMarksTheEndAndReturns) {
    ShowReport(state, {u"Image", u"media/BigImage.png", true});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, u"Das Bild media/BigImage.png wurde nicht gefunden!");
    EXPECT_TRUE(ui.messages[0].fatal);
    EXPECT_TRUE(state.endRequested);
}

TEST_F(MessageBoxTest, TitleFromALanguageFileGetsItsPlaceholderReplaced) {
    test::TempWorkingDirectory directory;
    test::WriteFileBytes("Test.txt", "[Errors]\nTitle = Error in {replace}\n");
    ApplyLanguageFile(state.texts, u"Test.txt");
    ShowError(state, u"UnitFile", u"units/units.txt");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, u"Error in units/units.txt");
    EXPECT_EQ(ui.messages[0].text,
              u"Die Datei units/units.txt konnte nicht geladen werden. In dieser Datei befinden "
              u"sich die gespeicherten Trainingseinheiten.");
}

}  // namespace
