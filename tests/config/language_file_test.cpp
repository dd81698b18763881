// Language files over the built-in texts: which lines override which texts, and encodings.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "config/configuration.h"
#include "test_support.h"
#include "text/text_table.h"

namespace {

class LanguageFileTest : public ::testing::Test {
  protected:
    void SetUp() override { std::filesystem::create_directory("lang"); }

    // A table of the built-in texts with the language file at this path over it.
    void Rebuild(const std::u16string& path) {
        table = BuildTextTable();
        ApplyLanguageFile(table, path);
    }
    // Writes lang/Test.txt and builds the table with it.
    void BuildWith(std::string_view bytes) {
        test::WriteFileBytes("lang/Test.txt", bytes);
        Rebuild(u"lang/Test.txt");
    }

    test::TempWorkingDirectory directory;
    TextTable table = BuildTextTable();
};

TEST_F(LanguageFileTest, MissingFileOrFolderKeepsTheBuiltInTexts) {
    Rebuild(u"lang/Missing.txt");
    EXPECT_EQ(LookupText(table, u"Edit", u"Delete"), u"L\u00F6schen");
    Rebuild(u"nofolder/English.txt");
    EXPECT_EQ(LookupText(table, u"Days", u"Monday"), u"Montag");
}

TEST_F(LanguageFileTest, OverridesOnlyTheTextsItHolds) {
    BuildWith("[Global]\r\nWinTitle = Velmora - \r\nSave = Save\r\n[Days]\r\nMonday = Monday\r\n");
    EXPECT_EQ(LookupText(table, u"Global", u"WinTitle"), u"Velmora - ");
    EXPECT_EQ(LookupText(table, u"Global", u"Save"), u"Save");
    EXPECT_EQ(LookupText(table, u"Global", u"Saved"), u"Gespeichert!");
    EXPECT_EQ(LookupText(table, u"Days", u"Monday"), u"Monday");
    EXPECT_EQ(LookupText(table, u"Days", u"Tuesday"), u"Dienstag");
    EXPECT_EQ(LookupText(table, u"Errors", u"Title"), u"Fehler");
}

TEST_F(LanguageFileTest, HeadersAndKeysMatchInAnyLetterCase) {
    BuildWith("[days]\nmonday = Monday\nTUESDAY=Tuesday\n");
    EXPECT_EQ(LookupText(table, u"Days", u"Monday"), u"Monday");
    EXPECT_EQ(LookupText(table, u"Days", u"Tuesday"), u"Tuesday");
    EXPECT_EQ(LookupText(table, u"Days", u"Wednesday"), u"Mittwoch");
}

TEST_F(LanguageFileTest, KeyInTheWrongGroupAndUnknownKeysChangeNothing) {
    BuildWith(
        "Title = Before any header\n[Global]\nTitle = Error\nNewKey = x\n[Extra]\nSave = y\n");
    EXPECT_EQ(LookupText(table, u"Errors", u"Title"), u"Fehler");
    EXPECT_EQ(LookupText(table, u"Global", u"NewKey"), NotFoundText);
    EXPECT_EQ(LookupText(table, u"Extra", u"Save"), NotFoundText);
    EXPECT_EQ(LookupText(table, u"Global", u"Save"), u"Speichern");
}

TEST_F(LanguageFileTest, OnlyTheFirstSectionAndTheFirstKeyLineCount) {
    BuildWith("[Edit]\nCreate = Create\nCreate = Second\n[Edit]\nDelete = Delete\n");
    EXPECT_EQ(LookupText(table, u"Edit", u"Create"), u"Create");
    EXPECT_EQ(LookupText(table, u"Edit", u"Delete"), u"L\u00F6schen");
}

TEST_F(LanguageFileTest, ValuesDropLeadingBlanksKeepTrailingOnesAndMayBeEmpty) {
    BuildWith("[Edit]\nDelete =\n[Calendar]\nWeek =\t  Week - \nUnit = {replace} unit\n");
    EXPECT_EQ(LookupText(table, u"Edit", u"Delete"), u"");
    EXPECT_EQ(LookupText(table, u"Calendar", u"Week"), u"Week - ");
    EXPECT_EQ(LookupText(table, u"Calendar", u"Unit"), u"{replace} unit");
}

TEST_F(LanguageFileTest, EncodingsOfTheFile) {
    struct Row {
        const char* name;
        std::string bytes;
        std::u16string expected;
    };
    const Row rows[] = {
        {"utf-8 with mark", "\xEF\xBB\xBF[Edit]\r\nDelete = L\xC3\xB6schen!\r\n", u"L\u00F6schen!"},
        {"iso 8859-1", "[Edit]\r\nDelete = L\xF6schen!\r\n", u"L\u00F6schen!"},
        // Decided rule: unmarked text that is valid UTF-8 with a byte above 7F is UTF-8.
        {"utf-8 without mark", "[Edit]\r\nDelete = L\xC3\xB6schen!\r\n", u"L\u00F6schen!"},
        {"cyrillic with mark", "\xEF\xBB\xBF[Edit]\nDelete = \xD0\xA3\xD0\xB4\n", u"\u0423\u0434"},
        {"iso 8859-1 that is not utf-8", "[Edit]\nDelete = \xC3\xB6\xFC\n", u"\u00C3\u00B6\u00FC"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BuildWith(row.bytes);
        EXPECT_EQ(LookupText(table, u"Edit", u"Delete"), row.expected);
    }
}

TEST_F(LanguageFileTest, FileIsNeverRewritten) {
    const std::string bytes = "[Global]\r\n  Save=Save  \r\n\r\n; comment\r\n";
    BuildWith(bytes);
    EXPECT_EQ(LookupText(table, u"Global", u"Save"), u"Save  ");
    const test::Bytes after = test::ReadFileBytes("lang/Test.txt");
    EXPECT_EQ(std::string(after.begin(), after.end()), bytes);
}

TEST_F(LanguageFileTest, LargeFileLoadsQuickly) {
    // 100,000 keys and about 1 MB of values in the Days group: linear parsing keeps this fast.
    std::string bytes = "[Days]\n";
    for (int i = 0; i < 100000; ++i) bytes += "Key" + std::to_string(i) + " = value text\n";
    bytes += "Sunday = Sunday\n";
    const auto start = std::chrono::steady_clock::now();
    BuildWith(bytes);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(LookupText(table, u"Days", u"Sunday"), u"Sunday");
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 5000);
}

}  // namespace
