// SPDX-License-Identifier: GPL-3.0-or-later
// ini.ini at start-up: reading the settings, creating the file, and what is reported; the
// theme setting's values.
#include "config/configuration.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/os_file_faults.h"
#include "test_support.h"
#include "text/messages.h"
#include "text/text_table.h"

namespace {

const std::string CreatedFile = "\xEF\xBB\xBF\r\nVersion = 0.1\r\nLanguage = English\r\n";
const std::u16string Config1Text = u"Die Konfigurationsdatei ini.ini wurde nicht gefunden!";
const std::u16string Config2Text =
    u"Die Konfigurationsdatei ini.ini konnte nicht erstellt werden! Haben Sie die Datei "
    u"vielleicht schon ge\u00F6ffnet?";

std::string FileText(const std::filesystem::path& path) {
    const test::Bytes bytes = test::ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

class ConfigurationTest : public ::testing::Test {
  protected:
    void TearDown() override { InjectedFileFaults = FileFaults{}; }

    void Load() { reports = LoadConfiguration(settings); }
    bool AnyFatal() const {
        for (const Report& report : reports)
            if (report.fatal) return true;
        return false;
    }
    void ExpectBox(std::size_t index, const std::u16string& text, bool fatal) {
        ASSERT_LT(index, reports.size());
        const BoxText box = ErrorBoxText(texts, reports[index].key, reports[index].file);
        EXPECT_EQ(box.title, u"Fehler");
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(reports[index].fatal, fatal);
    }

    test::TempWorkingDirectory directory;
    TextTable texts = BuildTextTable();
    Settings settings;
    std::vector<Report> reports;
};

TEST_F(ConfigurationTest, MissingFileIsReportedAndCreatedWithTheDefaults) {
    Load();
    ASSERT_EQ(reports.size(), 1u);
    ExpectBox(0, Config1Text, false);
    EXPECT_FALSE(AnyFatal());
    EXPECT_EQ(FileText("ini.ini"), CreatedFile);
    EXPECT_EQ(settings.language, u"English");
    EXPECT_EQ(settings.version, u"0.1");
}

TEST_F(ConfigurationTest, CreatedFileIsReadBackSilently) {
    Load();
    reports.clear();
    settings.language = u"Other";
    settings.version = u"x";
    Load();
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(settings.language, u"English");
    EXPECT_EQ(settings.version, u"0.1");
    EXPECT_EQ(FileText("ini.ini"), CreatedFile);
}

TEST_F(ConfigurationTest, SettingsAreReadFromTheFile) {
    struct Row {
        const char* name;
        std::string bytes;
        std::u16string language;
        std::u16string version;
    };
    const Row rows[] = {
        {"both keys", "Version = 2.5\r\nLanguage = Deutsch\r\n", u"Deutsch", u"2.5"},
        {"key in small letters", "language = Deutsch\n", u"Deutsch", u"0.1"},
        {"empty file", "", u"English", u"0.1"},
        {"keys below a header", "[Settings]\nLanguage = Deutsch\nVersion = 9\n", u"English",
         u"0.1"},
        {"empty language", "Language =\n", u"", u"0.1"},
        {"version with trailing blanks", "Version = 1.0   \n", u"English", u"1.0   "},
        {"utf-8 with mark", "\xEF\xBB\xBFLanguage = Fran\xC3\xA7\x61is\n", u"Fran\u00E7ais",
         u"0.1"},
        {"iso 8859-1", "Language = Fran\xE7\x61is\n", u"Fran\u00E7ais", u"0.1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        settings.language = u"English";
        settings.version = u"0.1";
        reports.clear();
        test::WriteFileBytes("ini.ini", row.bytes);
        Load();
        EXPECT_TRUE(reports.empty());
        EXPECT_EQ(settings.language, row.language);
        EXPECT_EQ(settings.version, row.version);
        EXPECT_EQ(FileText("ini.ini"), row.bytes);  // never rewritten
    }
}

TEST_F(ConfigurationTest, ThemeIsReadAsWrittenAndNeverWritten) {
    struct Row {
        const char* name;
        std::string bytes;
        std::u16string theme;
    };
    const Row rows[] = {
        {"no key", "Language = Deutsch\r\n", u"System"},
        {"dark", "Theme = Dark\r\n", u"Dark"},
        {"key in capitals, value as written", "THEME =   light \r\n", u"light "},
        {"below a header", "[Colours]\nTheme = Dark\n", u"System"},
        {"empty", "Theme =\n", u""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        settings.theme = u"System";
        test::WriteFileBytes("ini.ini", row.bytes);
        Load();
        EXPECT_TRUE(reports.empty());
        EXPECT_EQ(settings.theme, row.theme);
        EXPECT_EQ(FileText("ini.ini"), row.bytes);  // never rewritten
    }
}

TEST(ConfigurationTheme, LightAndDarkAsKeysAreMatchedEverythingElseIsSystem) {
    struct Row {
        const char* name;
        std::u16string value;
        ThemeSetting setting;
    };
    const Row rows[] = {
        {"System", u"System", ThemeSetting::System},
        {"Light", u"Light", ThemeSetting::Light},
        {"Dark", u"Dark", ThemeSetting::Dark},
        {"small letters", u"dark", ThemeSetting::Dark},
        {"capitals", u"LIGHT", ThemeSetting::Light},
        {"mixed", u"dArK", ThemeSetting::Dark},
        {"blanks and tabs around it", u" \tDark \t", ThemeSetting::Dark},
        {"empty", u"", ThemeSetting::System},
        {"only blanks", u"   ", ThemeSetting::System},
        {"unknown word", u"Sepia", ThemeSetting::System},
        {"longer word", u"Darker", ThemeSetting::System},
        {"prefix", u"Dar", ThemeSetting::System},
        {"blank inside", u"Da rk", ThemeSetting::System},
        {"another language", u"Dunkel", ThemeSetting::System},
        {"trailing punctuation", u"Light;", ThemeSetting::System},
        {"number", u"1", ThemeSetting::System},
        {"dotted capital I is no ASCII letter", u"L\u0130GHT", ThemeSetting::System},
        {"fullwidth letters", u"\uFF24\uFF41\uFF52\uFF4B", ThemeSetting::System},
        {"line break inside", u"Da\nrk", ThemeSetting::System},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ParseThemeSetting(row.value), row.setting);
    }
}

TEST_F(ConfigurationTest, ReadOnlyFileIsReadNormally) {
    test::WriteFileBytes("ini.ini", "Language = Deutsch\r\n");
    std::filesystem::permissions("ini.ini", std::filesystem::perms::owner_read);
    Load();
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(settings.language, u"Deutsch");
}

TEST_F(ConfigurationTest, FileThatCannotBeCreatedIsFatal) {
    InjectedFileFaults.failCreate = true;
    Load();
    ASSERT_EQ(reports.size(), 2u);
    ExpectBox(0, Config1Text, false);
    ExpectBox(1, Config2Text, true);
    EXPECT_TRUE(AnyFatal());
    EXPECT_FALSE(test::FileExists("ini.ini"));
}

TEST_F(ConfigurationTest, FolderNamedIniIniCannotBeReadNorCreated) {
    std::filesystem::create_directory("ini.ini");
    Load();
    ASSERT_EQ(reports.size(), 2u);
    ExpectBox(0, Config1Text, false);
    ExpectBox(1, Config2Text, true);
    EXPECT_TRUE(AnyFatal());
    EXPECT_TRUE(std::filesystem::is_directory("ini.ini"));
}

TEST_F(ConfigurationTest, FailedWriteOfTheNewFileIsReportedButNotFatalAndLeavesNoFile) {
    struct Row {
        const char* name;
        FileFaults faults;
    };
    const Row rows[] = {
        {"nothing written (a full disk)", {.failWriteAfterBytes = 0}},
        {"written in part", {.failWriteAfterBytes = 5}},
        {"flush fails", {.failClose = true}},
        {"rename fails", {.failReplace = true}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        InjectedFileFaults = row.faults;
        Load();
        ASSERT_EQ(reports.size(), 2u);
        ExpectBox(0, Config1Text, false);
        ExpectBox(1, Config2Text, false);
        EXPECT_FALSE(AnyFatal());
        EXPECT_EQ(settings.language, u"English");
        EXPECT_FALSE(test::FileExists("ini.ini")) << "no empty file to read as defaults later";
        EXPECT_TRUE(test::TemporaryFilesIn(".").empty());
        // The next start finds no file and says so again, instead of silently using defaults.
        InjectedFileFaults = FileFaults{};
        Load();
        ASSERT_EQ(reports.size(), 1u);
        ExpectBox(0, Config1Text, false);
        std::filesystem::remove("ini.ini");
    }
}

}  // namespace
