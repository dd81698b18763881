// ini.ini at start-up: reading the two settings, creating the file, and the boxes shown.
#include "config/configuration.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/scripted_ui.h"
#include "data/os_file.h"
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
    void SetUp() override {
        Language = u"English";
        Version = u"0.1";
        BuildTextTable(u"");
        ClearEndRequest();
        SetCurrentUi(&ui);
    }
    void TearDown() override {
        InjectedFileFaults = FileFaults{};
        Language = u"English";
        Version = u"0.1";
        ClearEndRequest();
        SetCurrentUi(nullptr);
    }

    void ExpectBox(std::size_t index, const std::u16string& text, bool fatal) {
        ASSERT_LT(index, ui.messages.size());
        EXPECT_EQ(ui.messages[index].title, u"Fehler");
        EXPECT_EQ(ui.messages[index].text, text);
        EXPECT_EQ(ui.messages[index].fatal, fatal);
    }

    test::TempWorkingDirectory directory;
    ScriptedUi ui;
};

TEST_F(ConfigurationTest, MissingFileIsReportedAndCreatedWithTheDefaults) {
    LoadConfiguration();
    ASSERT_EQ(ui.messages.size(), 1u);
    ExpectBox(0, Config1Text, false);
    EXPECT_FALSE(EndRequested());
    EXPECT_EQ(FileText("ini.ini"), CreatedFile);
    EXPECT_EQ(Language, u"English");
    EXPECT_EQ(Version, u"0.1");
}

TEST_F(ConfigurationTest, CreatedFileIsReadBackSilently) {
    LoadConfiguration();
    ui.messages.clear();
    Language = u"Other";
    Version = u"x";
    LoadConfiguration();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Language, u"English");
    EXPECT_EQ(Version, u"0.1");
    EXPECT_EQ(FileText("ini.ini"), CreatedFile);
}

TEST_F(ConfigurationTest, BoxesUseTheBuiltInWordingWhateverTheTableHeldBefore) {
    std::filesystem::create_directory("lang");
    test::WriteFileBytes("lang/English.txt", "[Errors]\nTitle = Error\n");
    BuildTextTable(u"");  // start-up builds without the language file before this step
    LoadConfiguration();
    ExpectBox(0, Config1Text, false);
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
        Language = u"English";
        Version = u"0.1";
        ui.messages.clear();
        test::WriteFileBytes("ini.ini", row.bytes);
        LoadConfiguration();
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(Language, row.language);
        EXPECT_EQ(Version, row.version);
        EXPECT_EQ(FileText("ini.ini"), row.bytes);  // never rewritten
    }
}

TEST_F(ConfigurationTest, ReadOnlyFileIsReadNormally) {
    test::WriteFileBytes("ini.ini", "Language = Deutsch\r\n");
    std::filesystem::permissions("ini.ini", std::filesystem::perms::owner_read);
    LoadConfiguration();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Language, u"Deutsch");
}

TEST_F(ConfigurationTest, FileThatCannotBeCreatedIsFatal) {
    InjectedFileFaults.failCreate = true;
    LoadConfiguration();
    ASSERT_EQ(ui.messages.size(), 2u);
    ExpectBox(0, Config1Text, false);
    ExpectBox(1, Config2Text, true);
    EXPECT_TRUE(EndRequested());
    EXPECT_FALSE(test::FileExists("ini.ini"));
}

TEST_F(ConfigurationTest, FolderNamedIniIniCannotBeReadNorCreated) {
    std::filesystem::create_directory("ini.ini");
    LoadConfiguration();
    ASSERT_EQ(ui.messages.size(), 2u);
    ExpectBox(0, Config1Text, false);
    ExpectBox(1, Config2Text, true);
    EXPECT_TRUE(EndRequested());
    EXPECT_TRUE(std::filesystem::is_directory("ini.ini"));
}

TEST_F(ConfigurationTest, FailedWriteOfTheNewFileIsReportedButNotFatal) {
    InjectedFileFaults.failWriteAfterBytes = 0;
    LoadConfiguration();
    ASSERT_EQ(ui.messages.size(), 2u);
    ExpectBox(0, Config1Text, false);
    ExpectBox(1, Config2Text, false);
    EXPECT_FALSE(EndRequested());
    EXPECT_EQ(Language, u"English");
}

}  // namespace
