// SPDX-License-Identifier: GPL-3.0-or-later
// The preference document on real files: loading, groups, values, and the bytes written.
#include "config/preference_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/os_file_faults.h"
#include "test_support.h"

namespace {

std::string FileText(const std::filesystem::path& path) {
    const test::Bytes bytes = test::ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

class PreferenceFileTest : public ::testing::Test {
  protected:
    void TearDown() override { InjectedFileFaults = FileFaults{}; }

    // Loads `bytes` from a file and keeps the document open.
    void LoadText(std::string_view bytes) {
        test::WriteFileBytes("test.ini", bytes);
        ASSERT_TRUE(document.Load(u"test.ini"));
    }

    test::TempWorkingDirectory directory;
    PreferenceFile document;
};

TEST_F(PreferenceFileTest, MissingFileOrFolderFailsToLoad) {
    EXPECT_FALSE(document.Load(u"missing.ini"));
    EXPECT_FALSE(document.isOpen);
    std::filesystem::create_directory("folder.ini");
    EXPECT_FALSE(document.Load(u"folder.ini"));
}

TEST_F(PreferenceFileTest, GroupAndKeyMatchInAnyLetterCase) {
    LoadText("\xEF\xBB\xBF[Errors]\r\nTitle = Error\r\n");
    EXPECT_TRUE(document.SelectGroup(u"ERRORS"));
    EXPECT_EQ(document.GetValue(u"TITLE", u"default"), u"Error");
    EXPECT_EQ(document.GetValue(u"title", u"default"), u"Error");
    EXPECT_TRUE(document.Close());
}

TEST_F(PreferenceFileTest, HeaderMatchingFollowsTheBracketsExactly) {
    LoadText("[ Errors ]\nTitle = spaced\n[Errors] ; the real one\nTitle = real\n");
    EXPECT_TRUE(document.SelectGroup(u"Errors"));
    EXPECT_EQ(document.GetValue(u"Title", u"default"), u"real");
    EXPECT_TRUE(document.SelectGroup(u" Errors "));
    EXPECT_EQ(document.GetValue(u"Title", u"default"), u"spaced");
}

TEST_F(PreferenceFileTest, ValuesKeepTrailingBlanksAndEmptyValuesBeatTheDefault) {
    LoadText("[G]\n   Title = Fehler   \nBlank \t=\t Fehler\nEmpty =\nBare\n");
    ASSERT_TRUE(document.SelectGroup(u"G"));
    EXPECT_EQ(document.GetValue(u"Title", u"d"), u"Fehler   ");
    EXPECT_EQ(document.GetValue(u"Blank", u"d"), u"Fehler");
    EXPECT_EQ(document.GetValue(u"Empty", u"d"), u"");
    EXPECT_EQ(document.GetValue(u"Bare", u"d"), u"");
    EXPECT_EQ(document.GetValue(u"Missing", u"d"), u"d");
}

TEST_F(PreferenceFileTest, SectionsLimitWhereAKeyIsFound) {
    LoadText("Top = before\n[A]\nOnlyA = a\n; Top = commented\n[B]\nTop = b\n[A]\nLater = x\n");
    EXPECT_EQ(document.GetValue(u"Top", u"d"), u"before");
    EXPECT_EQ(document.GetValue(u"OnlyA", u"d"), u"d");
    ASSERT_TRUE(document.SelectGroup(u"A"));
    EXPECT_EQ(document.GetValue(u"Top", u"d"), u"d");
    EXPECT_EQ(document.GetValue(u"OnlyA", u"d"), u"a");
    EXPECT_EQ(document.GetValue(u"Later", u"d"), u"d");  // only the first [A] is searched
    ASSERT_TRUE(document.SelectGroup(u"B"));
    EXPECT_EQ(document.GetValue(u"Top", u"d"), u"b");
    ASSERT_TRUE(document.SelectGroup(u""));
    EXPECT_EQ(document.GetValue(u"Top", u"d"), u"before");
}

TEST_F(PreferenceFileTest, MissingGroupGivesDefaultsUntilAGroupIsFound) {
    LoadText("K = top\n[A]\nK = a\n");
    ASSERT_TRUE(document.SelectGroup(u"A"));
    EXPECT_FALSE(document.SelectGroup(u"Nowhere"));
    EXPECT_EQ(document.GetValue(u"K", u"d"), u"d");
    EXPECT_TRUE(document.SelectGroup(u"a"));
    EXPECT_EQ(document.GetValue(u"K", u"d"), u"a");
}

TEST_F(PreferenceFileTest, LineEndsOfAnyKindParseAlike) {
    const std::string variants[] = {"[A]\r\nK = v\r\n", "[A]\nK = v\n", "[A]\rK = v\r",
                                    "\n\n[A]\r\n; note\r\n\r\nK = v"};
    for (const std::string& bytes : variants) {
        SCOPED_TRACE(bytes);
        LoadText(bytes);
        ASSERT_TRUE(document.SelectGroup(u"A"));
        EXPECT_EQ(document.GetValue(u"K", u"d"), u"v");
    }
}

TEST_F(PreferenceFileTest, NonAsciiValuesByEncoding) {
    LoadText("K = \xFC");
    EXPECT_EQ(document.GetValue(u"K", u"d"), u"\u00FC");
    LoadText("\xEF\xBB\xBFK = \xC3\xBC");
    EXPECT_EQ(document.GetValue(u"K", u"d"), u"\u00FC");
    LoadText("K = \xC3\xBC and \xFC");
    EXPECT_EQ(document.GetValue(u"K", u"d"), u"\u00C3\u00BC and \u00FC");
}

TEST_F(PreferenceFileTest, NewDocumentIsSavedWithMarkAndCrLfWholeAtClose) {
    ASSERT_TRUE(document.StartNew(u"new.ini"));
    EXPECT_FALSE(test::FileExists("new.ini")) << "the name holds nothing until the file is whole";
    document.SetValue(u"Version", u"0.1");
    document.SetValue(u"Language", u"English");
    EXPECT_TRUE(document.Close());
    EXPECT_EQ(FileText("new.ini"), "\xEF\xBB\xBF\r\nVersion = 0.1\r\nLanguage = English\r\n");
    EXPECT_TRUE(test::TemporaryFilesIn(".").empty());
}

TEST_F(PreferenceFileTest, StartNewEmptiesAnExistingFile) {
    test::WriteFileBytes("new.ini", "Old = content that is longer than the new one\r\n");
    ASSERT_TRUE(document.StartNew(u"new.ini"));
    document.SetValue(u"K", u"v");
    EXPECT_TRUE(document.Close());
    EXPECT_EQ(FileText("new.ini"), "\xEF\xBB\xBF\r\nK = v\r\n");
}

TEST_F(PreferenceFileTest, SetValueReplacesOrAppendsWithinTheSection) {
    ASSERT_TRUE(document.StartNew(u"new.ini"));
    document.SetValue(u"Top", u"1");
    EXPECT_FALSE(document.SelectGroup(u"Group"));
    document.SetValue(u"Key", u"\u00FC");  // opens the missing group at the end
    ASSERT_TRUE(document.SelectGroup(u""));
    document.SetValue(u"Second", u"2");
    document.SetValue(u"TOP", u"one");
    ASSERT_TRUE(document.SelectGroup(u"group"));
    EXPECT_EQ(document.GetValue(u"key", u"d"), u"\u00FC");
    EXPECT_TRUE(document.Close());
    EXPECT_EQ(FileText("new.ini"),
              "\xEF\xBB\xBF\r\nTop = one\r\nSecond = 2\r\n[Group]\r\nKey = \xC3\xBC\r\n");
}

TEST_F(PreferenceFileTest, DocumentOnlyReadIsNeverWrittenBack) {
    const std::string bytes = "  ;comment\n[Errors]   trailing\r\nTitle=Fehler  \r\r\n";
    LoadText(bytes);
    ASSERT_TRUE(document.SelectGroup(u"Errors"));
    EXPECT_EQ(document.GetValue(u"Title", u"d"), u"Fehler  ");
    EXPECT_TRUE(document.Close());
    EXPECT_EQ(FileText("test.ini"), bytes);
}

TEST_F(PreferenceFileTest, ReadOnlyFileIsRead) {
    test::WriteFileBytes("test.ini", "Language = Deutsch\n");
    std::filesystem::permissions("test.ini", std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::group_read |
                                                 std::filesystem::perms::others_read);
    ASSERT_TRUE(document.Load(u"test.ini"));
    EXPECT_EQ(document.GetValue(u"Language", u"English"), u"Deutsch");
    EXPECT_TRUE(document.Close());
}

TEST_F(PreferenceFileTest, FailedWriteIsReportedAndLeavesNoFile) {
    ASSERT_TRUE(document.StartNew(u"new.ini"));
    document.SetValue(u"Version", u"0.1");
    InjectedFileFaults.failWriteAfterBytes = 4;
    EXPECT_FALSE(document.Close());
    EXPECT_FALSE(document.isOpen);
    EXPECT_FALSE(test::FileExists("new.ini"));
    EXPECT_TRUE(test::TemporaryFilesIn(".").empty());
}

TEST_F(PreferenceFileTest, ChangedDocumentReplacesItsFileWhole) {
    LoadText("Old = 1\r\n");
    document.SetValue(u"New", u"2");
    InjectedFileFaults.failReplace = true;
    EXPECT_FALSE(document.Close());
    EXPECT_EQ(FileText("test.ini"), "Old = 1\r\n") << "the old file stays whole";
    LoadText("Old = 1\r\n");
    document.SetValue(u"New", u"2");
    EXPECT_TRUE(document.Close());
    EXPECT_EQ(FileText("test.ini"), "\xEF\xBB\xBF\r\nOld = 1\r\nNew = 2\r\n");
    EXPECT_TRUE(test::TemporaryFilesIn(".").empty());
}

TEST_F(PreferenceFileTest, LoadAndStartNewCloseTheOpenDocumentFirst) {
    ASSERT_TRUE(document.StartNew(u"first.ini"));
    document.SetValue(u"K", u"v");
    LoadText("Other = x\n");  // closes first.ini, writing it
    EXPECT_EQ(FileText("first.ini"), "\xEF\xBB\xBF\r\nK = v\r\n");
    EXPECT_EQ(document.GetValue(u"K", u"d"), u"d");
    EXPECT_EQ(document.GetValue(u"Other", u"d"), u"x");
    EXPECT_FALSE(document.modified);
}

}  // namespace
