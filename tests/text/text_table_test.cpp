// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in text table: its layout after a build and lookups by group and key.
#include "text/text_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace {

class TextTableTest : public ::testing::Test {
  protected:
    TextTable table = BuildTextTable();
};

TEST_F(TextTableTest, BuildsTenGroupsInBuiltInOrder) {
    ASSERT_EQ(table.groupCount, 10);
    // The 32 texts of the table; Errors/Separator, ControlCharacters, Paste, Backup,
    // BackupSetting, Running and Export; the sync notices, the import, the report, the menu
    // and the accessible names.
    EXPECT_EQ(table.stringCount, 109);
    ASSERT_EQ(table.groups.size(), 11u);
    EXPECT_EQ(table.groups[0].name, u"");
    EXPECT_EQ(table.groups[0].last, 0);
    const std::u16string names[] = {u"ERRORS", u"GLOBAL", u"SYNC",   u"CALENDAR", u"EDIT",
                                    u"DAYS",   u"IMPORT", u"REPORT", u"MENU",     u"ACCESS"};
    const std::int32_t sizes[] = {17, 3, 6, 4, 8, 7, 22, 29, 5, 8};
    std::int32_t next = 1;
    for (int g = 1; g <= 10; ++g) {
        SCOPED_TRACE(g);
        EXPECT_EQ(table.groups[g].name, names[g - 1]);
        EXPECT_EQ(table.groups[g].first, next);
        EXPECT_EQ(table.groups[g].last, next + sizes[g - 1] - 1);
        next += sizes[g - 1];
    }
}

TEST_F(TextTableTest, EditGroupIsSortedAndIndexedByFirstLetter) {
    const TextGroup& edit = table.groups[5];
    const std::vector<std::u16string> expected = {u"ADDBUTTON",     u"ADDCOUNTTXT", u"CREATE",
                                                  u"DELETE",        u"DESCRTXT",    u"DIVIDERTXT",
                                                  u"IMAGETOOLTIPP", u"NAMETXT"};
    std::vector<std::u16string> keys(table.keys.begin() + edit.first,
                                     table.keys.begin() + edit.last + 1);
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(table.values[edit.first], u"Trainingseinheit hinzuf\u00FCgen");

    for (int c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        std::int32_t wanted = 0;
        if (c == 'A') wanted = edit.first;
        if (c == 'C') wanted = edit.first + 2;
        if (c == 'D') wanted = edit.first + 3;
        if (c == 'I') wanted = edit.first + 6;
        if (c == 'N') wanted = edit.first + 7;
        EXPECT_EQ(edit.firstCharIndex[c], wanted);
    }
}

TEST_F(TextTableTest, LookupIgnoresLetterCaseOfGroupAndKey) {
    const std::pair<std::u16string, std::u16string> spellings[] = {
        {u"Errors", u"Title"}, {u"errors", u"title"}, {u"ERRORS", u"TITLE"}, {u"eRRoRs", u"tItLe"}};
    for (const auto& [group, key] : spellings) {
        SCOPED_TRACE(test::ToUtf8(group + u"/" + key));
        EXPECT_EQ(LookupText(table, group, key), u"Fehler");
    }
}

TEST_F(TextTableTest, SameKeyInTwoGroupsGivesEachGroupsText) {
    EXPECT_EQ(LookupText(table, u"Edit", u"AddButton"), u"Trainingseinheit hinzuf\u00FCgen");
    EXPECT_EQ(LookupText(table, u"Errors", u"AddButton"),
              u"Es ist keine Trainigseinheit vorhanden!");
    EXPECT_EQ(LookupText(table, u"Edit", u"addbutton"), u"Trainingseinheit hinzuf\u00FCgen");
}

TEST_F(TextTableTest, TextsKeepTrailingBlanksAndSpecialCharacters) {
    EXPECT_EQ(LookupText(table, u"Global", u"WinTitle"), u"Velmora - ");
    EXPECT_EQ(LookupText(table, u"Calendar", u"Week"), u"Woche - ");
    EXPECT_EQ(LookupText(table, u"Errors", u"Separator"),
              u"Name und Beschreibung d\u00FCrfen die Zeichen | und \\ nicht enthalten!");
    EXPECT_EQ(LookupText(table, u"Edit", u"ImageToolTipp"),
              u"Du kannst das Bild {replace} im Ordner 'media' \u00E4ndern!");
}

TEST_F(TextTableTest, EveryBuiltInTextIsFoundUnderItsGroup) {
    std::u16string group;
    int found = 0;
    for (const BuiltInText* pair = BuiltInTexts; std::u16string(pair->first) != u"_END_"; ++pair) {
        if (std::u16string(pair->first) == u"_GROUP_") {
            group = pair->second;
            continue;
        }
        SCOPED_TRACE(test::ToUtf8(group + u"/" + pair->first));
        EXPECT_EQ(LookupText(table, group, pair->first), pair->second);
        ++found;
    }
    EXPECT_EQ(found, 109);
}

TEST_F(TextTableTest, UnknownGroupResetsTheCacheAndNextLookupSearchesAgain) {
    EXPECT_EQ(LookupText(table, u"Days", u"Monday"), u"Montag");
    EXPECT_EQ(table.cachedGroup, 6);
    EXPECT_EQ(LookupText(table, u"Weekdays", u"Monday"), NotFoundText);
    EXPECT_EQ(table.cachedGroup, 0);
    EXPECT_EQ(LookupText(table, u"Errors", u"Title"), u"Fehler");
    EXPECT_EQ(table.cachedGroup, 1);
}

TEST_F(TextTableTest, CachedGroupServesFollowingLookupsAndARebuiltTableStartsAfresh) {
    EXPECT_EQ(LookupText(table, u"Calendar", u"Unit"), u"Einheit");
    EXPECT_EQ(table.cachedGroup, 4);
    EXPECT_EQ(LookupText(table, u"calendar", u"Week"), u"Woche - ");
    EXPECT_EQ(table.cachedGroup, 4);
    table = BuildTextTable();
    EXPECT_EQ(table.cachedGroup, 0);
    EXPECT_EQ(LookupText(table, u"Calendar", u"More"), u"Mehr");
    EXPECT_EQ(table.cachedGroup, 4);
}

TEST_F(TextTableTest, KeysThatAreNotInTheGroupGiveTheNotFoundText) {
    struct Row {
        const char* name;
        std::u16string group;
        std::u16string key;
    };
    const Row rows[] = {
        {"prefix of Monday", u"Days", u"Mon"},
        {"empty key", u"Days", u""},
        {"longer than Sunday", u"Days", u"Sundays"},
        {"past the last key of its letter", u"Days", u"Wed"},
        {"no key with that letter", u"Days", u"Xmas"},
        {"key of another group", u"Global", u"Title"},
        {"empty group", u"", u"Title"},
        {"key beyond the index", u"Days", u"\u0100Monday"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(LookupText(table, row.group, row.key), NotFoundText);
    }
}

}  // namespace
