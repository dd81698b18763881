// Placeholder substitution and the message boxes shown for failures.
#include "text/messages.h"

#include <gtest/gtest.h>

#include <string>

#include "app/scripted_ui.h"
#include "test_support.h"
#include "text/text_table.h"

namespace {

TEST(SubstitutePlaceholders, FollowsTheReplacementRules) {
    struct Row {
        const char* name;
        std::u16string text;
        std::u16string replacement1;
        std::u16string replacement2;
        std::u16string expected;
    };
    const Row rows[] = {
        {"single", u"Datei {replace}!", u"ini.ini", u"", u"Datei ini.ini!"},
        {"twice", u"{replace} und {replace}", u"a", u"", u"a und a"},
        {"mixed case", u"{RePlAcE}/{REPLACE}", u"x", u"", u"x/x"},
        {"empty replacement 1 keeps it", u"Datei {replace}", u"", u"y", u"Datei {replace}"},
        {"second only, small letters", u"A {replace2} B", u"one", u"two", u"A two B"},
        {"first does not match inside second", u"{replace2}{replace}", u"1", u"2", u"21"},
        {"empty replacement 2 keeps it", u"{replace2}", u"1", u"", u"{replace2}"},
        {"replacement 1 holds the second", u"<{replace}>", u"{REPLACE2}", u"two", u"<two>"},
        {"inserted text is not searched again", u"{replace}", u"{replace}{replace}", u"",
         u"{replace}{replace}"},
        {"adjacent occurrences", u"{replace}{replace}", u"ab", u"", u"abab"},
        {"unclosed placeholder", u"{replace", u"x", u"", u"{replace"},
        {"placeholder with a blank", u"{ replace}", u"x", u"", u"{ replace}"},
        {"empty text", u"", u"x", u"y", u""},
        {"non-ascii look-alike", u"{REPLAC\u0112}", u"x", u"", u"{REPLAC\u0112}"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SubstitutePlaceholders(row.text, row.replacement1, row.replacement2),
                  row.expected);
    }
}

class MessageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BuildTextTable(u"");
        ClearEndRequest();
        SetCurrentUi(&ui);
    }
    void TearDown() override {
        ClearEndRequest();
        SetCurrentUi(nullptr);
    }

    ScriptedUi ui;
};

TEST_F(MessageTest, ShowsOneBoxWithSubstitutedTitleAndText) {
    ShowMessage(false, u"{replace}: {replace2}", u"Text {REPLACE} {Replace2}", u"one", u"two");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, u"one: two");
    EXPECT_EQ(ui.messages[0].text, u"Text one two");
    EXPECT_FALSE(ui.messages[0].fatal);
    EXPECT_FALSE(EndRequested());
}

TEST_F(MessageTest, ShowErrorUsesTheErrorsGroup) {
    ShowError(u"Config1", u"ini.ini");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, u"Fehler");
    EXPECT_EQ(ui.messages[0].text, u"Die Konfigurationsdatei ini.ini wurde nicht gefunden!");
    EXPECT_FALSE(ui.messages[0].fatal);
}

TEST_F(MessageTest, AMessageWithoutPlaceholderIgnoresTheEmptyReplacement) {
    ShowError(u"AddButton", u"");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, u"Es ist keine Trainigseinheit vorhanden!");
}

TEST_F(MessageTest, FatalMessageRequestsTheEndAndReturns) {
    ShowError(u"Image", u"media/BigImage.png", true);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, u"Das Bild media/BigImage.png wurde nicht gefunden!");
    EXPECT_TRUE(ui.messages[0].fatal);
    EXPECT_TRUE(EndRequested());
    ClearEndRequest();
    EXPECT_FALSE(EndRequested());
}

TEST_F(MessageTest, UnknownKeyShowsTheNotFoundText) {
    ShowError(u"NoSuchKey", u"x");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, u"Fehler");
    EXPECT_EQ(ui.messages[0].text, NotFoundText);
}

TEST_F(MessageTest, TitleFromALanguageFileGetsItsPlaceholderReplaced) {
    test::TempWorkingDirectory directory;
    test::WriteFileBytes("Test.txt", "[Errors]\nTitle = Error in {replace}\n");
    BuildTextTable(u"Test.txt");
    ShowError(u"UnitFile", u"units/units.txt");
    BuildTextTable(u"");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, u"Error in units/units.txt");
    EXPECT_EQ(ui.messages[0].text,
              u"Die Datei units/units.txt konnte nicht geladen werden. In dieser Datei befinden "
              u"sich die gespeicherten Trainingseinheiten.");
}

}  // namespace
