// SPDX-License-Identifier: GPL-3.0-or-later
// Language files over the built-in texts: which lines override which texts, and encodings;
// every shipped file in default/lang/ holds exactly the built-in keys with their placeholders.
#include <gtest/gtest.h>

#include <cstring>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "config/configuration.h"
#include "config/preference_file.h"
#include "test_support.h"
#include "text/text_table.h"

namespace {

namespace fs = std::filesystem;

int CountOf(std::string_view text, std::string_view part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos;
         at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

bool EndsWithBlank(std::string_view text) {
    return !text.empty() && (text.back() == ' ' || text.back() == '\t');
}

// What keeps a language file from shipping, one line each: no byte order mark, a group or
// key written twice or outside a group, a key of the built-in table missing or one it lacks,
// a placeholder lost or added, a trailing blank lost or added. Names are compared exactly as
// the built-in table spells them.
std::vector<std::string> LanguageFileFaults(std::string_view bytes) {
    std::vector<std::string> faults;
    if (!bytes.starts_with("\xEF\xBB\xBF")) faults.push_back("no byte order mark");
    std::map<std::pair<std::string, std::string>, std::string> found;
    std::set<std::string> groups;
    std::string group;
    for (const PreferenceEntry& entry : ParsePreferenceText(bytes)) {
        if (entry.kind == PreferenceEntry::Kind::GroupHeader) {
            if (!groups.insert(entry.name).second) faults.push_back("[" + entry.name + "] twice");
            group = entry.name;
        } else if (entry.kind == PreferenceEntry::Kind::KeyValue) {
            if (group.empty()) {
                faults.push_back(entry.name + " before any group");
            } else if (!found.emplace(std::pair(group, entry.name), entry.value).second) {
                faults.push_back("[" + group + "] " + entry.name + " twice");
            }
        }
    }
    group.clear();
    for (const BuiltInText* text = BuiltInTexts; std::u16string_view(text->first) != u"_END_";
         ++text) {
        if (std::u16string_view(text->first) == u"_GROUP_") {
            group = test::ToUtf8(text->second);
            continue;
        }
        const std::string key = test::ToUtf8(text->first);
        const std::string builtIn = test::ToUtf8(text->second);
        const std::string name = "[" + group + "] " + key;
        const auto translated = found.find(std::pair(group, key));
        if (translated == found.end()) {
            faults.push_back("missing " + name);
            continue;
        }
        for (std::string_view placeholder : {"{replace}", "{replace2}"}) {
            const int wanted = CountOf(builtIn, placeholder);
            const int got = CountOf(translated->second, placeholder);
            if (got != wanted) {
                faults.push_back(name + ": " + std::string(placeholder) + " " +
                                 std::to_string(got) + " times, built in " +
                                 std::to_string(wanted));
            }
        }
        if (EndsWithBlank(translated->second) != EndsWithBlank(builtIn))
            faults.push_back(name + ": trailing blank differs");
        found.erase(translated);
    }
    for (const auto& [where, value] : found)
        faults.push_back("extra [" + where.first + "] " + where.second);
    return faults;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

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

TEST(ShippedLanguageFiles, HoldExactlyTheBuiltInKeysWithTheirPlaceholders) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(VELMORA_DEFAULT_DIR "/lang"))
        names.insert(entry.path().filename().string());
    const std::set<std::string> expected = {
        "Cestina.txt",  "Deutsch.txt",    "English.txt", "Espanol.txt",   "Francais.txt",
        "Italiano.txt", "Nederlands.txt", "Polski.txt",  "Portugues.txt", "Svenska.txt"};
    EXPECT_EQ(names, expected);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const test::Bytes bytes = test::ReadFileBytes(fs::path(VELMORA_DEFAULT_DIR "/lang") / name);
        const std::vector<std::string> faults = LanguageFileFaults(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        EXPECT_TRUE(faults.empty()) << Joined(faults);
    }
}

TEST(ShippedLanguageFiles, TheCheckFindsEveryKindOfFault) {
    const test::Bytes english = test::ReadFileBytes(VELMORA_DEFAULT_DIR "/lang/English.txt");
    const std::string good(english.begin(), english.end());
    ASSERT_TRUE(LanguageFileFaults(good).empty()) << Joined(LanguageFileFaults(good));
    const auto changed = [&good](std::string_view from, std::string_view to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
        return text;
    };
    struct Row {
        const char* name;
        std::string bytes;
        std::vector<std::string> faults;
    };
    const Row rows[] = {
        {"a key left out", changed("Delete = Delete\r\n", ""), {"missing [Edit] Delete"}},
        {"a key the table lacks",
         changed("[Menu]\r\n", "[Menu]\r\nPrint = Print\r\n"),
         {"extra [Menu] Print"}},
        {"a key in the wrong group",
         changed("Saved = Saved!\r\n", "")
             .insert(good.find("[Menu]\r\n") + 8 - std::strlen("Saved = Saved!\r\n"),
                     "Saved = Saved!\r\n"),
         {"missing [Global] Saved", "extra [Menu] Saved"}},
        {"a key twice", changed("[Menu]\r\n", "[Menu]\r\nCsv = CSV\r\n"), {"[Menu] Csv twice"}},
        {"a group twice", good + "[Days]\r\n", {"[Days] twice"}},
        {"a placeholder lost",
         changed("picture {replace} was", "picture was"),
         {"[Errors] Image: {replace} 0 times, built in 1"}},
        {"the second placeholder lost",
         changed("best week {replace2}", "best week"),
         {"[Report] UnitSummary: {replace2} 0 times, built in 1"}},
        {"a placeholder added",
         changed("Save = Save", "Save = Save {replace}"),
         {"[Global] Save: {replace} 1 times, built in 0"}},
        {"a trailing blank lost",
         changed("Week = Week - \r\n", "Week = Week -\r\n"),
         {"[Calendar] Week: trailing blank differs"}},
        {"no byte order mark", good.substr(3), {"no byte order mark"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(LanguageFileFaults(row.bytes), row.faults);
    }
}

}  // namespace
