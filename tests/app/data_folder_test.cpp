// SPDX-License-Identifier: GPL-3.0-or-later
// Preparing a new data folder: the exact bytes of every seeded file, an existing folder
// left alone, the language chosen by the locale, where the defaults are found, the folder a
// path names through links and "..", and failures at each step leaving only whole files
// behind.
#include "app/data_folder.h"
#include "app/starter_languages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>

#include "config/configuration.h"
#include "data/unit_catalogue.h"
#include "platform/os_file_faults.h"
#include "test_support.h"
#include "text/text_table.h"

namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::ReadFileBytes;

const fs::path Defaults = VELMORA_DEFAULT_FOLDER;

const std::vector<std::u16string> EnglishLines = {
    u"Push-ups|3|15|Body in one straight line",
    u"Squats|3|20|Thighs down to parallel",
    u"Plank|3|60|Seconds, on the forearms",
    u"Running|1|30|Minutes, easy pace",
    u"Lunges|3|12|Each leg",
    u"Sit-ups|3|20|Slow and controlled",
    u"Pull-ups|3|8|Full range of motion",
    u"Burpees|3|10|With a jump at the top",
};

std::string IniText(const std::string& version, const std::string& language) {
    return "\xEF\xBB\xBF\r\nVersion = " + version + "\r\nLanguage = " + language + "\r\n";
}

Bytes BytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// Every file below the folder, as relative generic paths.
std::set<std::string> FilesIn(const fs::path& folder) {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.insert(entry.path().lexically_relative(folder).generic_string());
        }
    }
    return files;
}

// The ten shipped languages, as every new folder gets them.
const std::set<std::string> LanguageFiles = {
    "lang/Cestina.txt",   "lang/Deutsch.txt",  "lang/English.txt",    "lang/Espanol.txt",
    "lang/Francais.txt",  "lang/Italiano.txt", "lang/Nederlands.txt", "lang/Polski.txt",
    "lang/Portugues.txt", "lang/Svenska.txt"};

const std::set<std::string> Defaulted = [] {
    std::set<std::string> files = LanguageFiles;
    files.insert({"media/BigImage.png", "media/SmallImage.png"});
    return files;
}();

class AppDataFolder : public ::testing::Test {
  protected:
    ~AppDataFolder() override { InjectedFileFaults = FileFaults(); }
    test::TempWorkingDirectory directory;
};

TEST_F(AppDataFolder, NewFolderGetsExactlyTheSeededBytes) {
    const fs::path folder = directory.path() / "deep" / "data";
    // Given with a trailing separator, as a shell completes a folder name.
    ASSERT_EQ(PrepareDataFolder(folder / "", Defaults, u"English", "9.8.7"),
              FolderPreparation::Prepared);
    std::set<std::string> expected = Defaulted;
    expected.insert({"ini.ini", "units/history.txt", "units/units.txt"});
    EXPECT_EQ(FilesIn(folder), expected);
    for (const std::string& name : Defaulted) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadFileBytes(folder / name), ReadFileBytes(Defaults / name));
    }
    EXPECT_EQ(ReadFileBytes(folder / "ini.ini"), BytesOf(IniText("9.8.7", "English")));
    EXPECT_EQ(ReadFileBytes(folder / "units/history.txt"), Bytes());
    EXPECT_EQ(ReadFileBytes(folder / "units/units.txt"), test::LineFileBytes(EnglishLines));

    // The program's own loader reads the catalogue back unit for unit.
    fs::current_path(folder);
    Document doc;
    ASSERT_TRUE(LoadUnitCatalogue(doc).ok());
    ASSERT_EQ(UnitCount(doc), 8);
    EXPECT_EQ(UnitAt(doc, 3).count2, 30);
    EXPECT_EQ(UnitAt(doc, 7).Description(), u"With a jump at the top");
}

TEST_F(AppDataFolder, StarterUnitsOfEveryLanguageAreTheSameExercisesWithCleanTexts) {
    EXPECT_EQ(StarterUnitLines(u"Klingonisch"), EnglishLines);
    EXPECT_EQ(StarterUnitLines(u"English"), EnglishLines);
    struct Row {
        std::u16string language;
        std::u16string first;  // the push-ups
    };
    const Row rows[] = {
        {u"Deutsch", u"Liegestütze|3|15|Körper in einer geraden Linie"},
        {u"Francais", u"Pompes|3|15|Corps en ligne droite"},
        {u"Espanol", u"Flexiones|3|15|Cuerpo en línea recta"},
        {u"Italiano", u"Flessioni|3|15|Corpo in linea retta"},
        {u"Portugues", u"Flexões|3|15|Corpo em linha reta"},
        {u"Nederlands", u"Opdrukken|3|15|Lichaam in één lijn"},
        {u"Polski", u"Pompki|3|15|Ciało w jednej linii"},
        {u"Cestina", u"Kliky|3|15|Tělo v jedné přímce"},
        {u"Svenska", u"Armhävningar|3|15|Rak kropp"},
    };
    const auto counts = [](const std::u16string& line) {
        return line.substr(line.find(u'|'), line.rfind(u'|') - line.find(u'|'));
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(test::ToUtf8(row.language));
        const std::vector<std::u16string> lines = StarterUnitLines(row.language);
        ASSERT_EQ(lines.size(), 8u);
        EXPECT_EQ(lines[0], row.first);
        std::set<std::u16string> names;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            SCOPED_TRACE(test::ToUtf8(lines[i]));
            EXPECT_EQ(counts(lines[i]), counts(EnglishLines[i]));
            EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), u'|'), 3);
            EXPECT_TRUE(std::all_of(lines[i].begin(), lines[i].end(),
                                    [](char16_t unit) { return unit >= 0x20 && unit != u'\\'; }));
            // A unit is known by its name: two starter units of one name would be one.
            EXPECT_TRUE(names.insert(lines[i].substr(0, lines[i].find(u'|'))).second);
        }
    }
}

TEST_F(AppDataFolder, ExistingFolderIsNeverChanged) {
    fs::create_directories("old/units");
    test::WriteFileBytes("old/ini.ini", std::string_view("Language = Deutsch\n"));
    EXPECT_EQ(PrepareDataFolder("old", Defaults, u"English", "1"), FolderPreparation::AlreadyThere);
    EXPECT_EQ(FilesIn("old"), std::set<std::string>{"ini.ini"});
    EXPECT_EQ(ReadFileBytes("old/ini.ini"), BytesOf("Language = Deutsch\n"));

    fs::create_directory("empty");
    EXPECT_EQ(PrepareDataFolder("empty", Defaults, u"English", "1"),
              FolderPreparation::AlreadyThere);
    EXPECT_TRUE(fs::is_empty("empty"));
    test::WriteFileBytes("file", std::string_view("x"));
    EXPECT_EQ(PrepareDataFolder("file", Defaults, u"English", "1"),
              FolderPreparation::AlreadyThere);
    EXPECT_EQ(ReadFileBytes("file"), BytesOf("x"));
}

TEST_F(AppDataFolder, LanguageFollowsTheFirstSetLocaleVariable) {
    struct Case {
        const char* name;
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        std::u16string expected;
    };
    const Case cases[] = {
        {"German LANG", nullptr, nullptr, "de_DE.UTF-8", u"Deutsch"},
        {"Austrian LANG", nullptr, nullptr, "de_AT", u"Deutsch"},
        {"English LANG", nullptr, nullptr, "en_US.UTF-8", u"English"},
        {"French LANG", nullptr, nullptr, "fr_FR.UTF-8", u"Francais"},
        {"Canadian French", nullptr, nullptr, "fr_CA.UTF-8", u"Francais"},
        {"Spanish LANG", nullptr, nullptr, "es_ES.UTF-8", u"Espanol"},
        {"Mexican Spanish", nullptr, nullptr, "es_MX", u"Espanol"},
        {"Italian LANG", nullptr, nullptr, "it_IT.UTF-8", u"Italiano"},
        {"Brazilian Portuguese", nullptr, nullptr, "pt_BR.UTF-8", u"Portugues"},
        {"Portuguese of Portugal", nullptr, nullptr, "pt_PT@euro", u"Portugues"},
        {"Dutch LANG", nullptr, nullptr, "nl_NL.UTF-8", u"Nederlands"},
        {"Flemish", nullptr, nullptr, "nl_BE", u"Nederlands"},
        {"Polish LANG", nullptr, nullptr, "pl_PL.UTF-8", u"Polski"},
        {"Czech LANG", nullptr, nullptr, "cs_CZ.UTF-8", u"Cestina"},
        {"Swedish LANG", nullptr, nullptr, "sv_SE.UTF-8", u"Svenska"},
        {"Finland Swedish", nullptr, nullptr, "sv_FI", u"Svenska"},
        {"language without a region", nullptr, nullptr, "pl", u"Polski"},
        {"Kashubian is not Czech", nullptr, nullptr, "csb_PL", u"English"},
        {"a language without a file", nullptr, nullptr, "fi_FI.UTF-8", u"English"},
        {"C locale", nullptr, nullptr, "C", u"English"},
        {"C with UTF-8", nullptr, nullptr, "C.UTF-8", u"English"},
        {"nothing set", nullptr, nullptr, nullptr, u"English"},
        {"LC_ALL wins", "en_GB.UTF-8", "de_DE", "de_DE", u"English"},
        {"LC_ALL wins even without a file", "fi_FI", "de_DE", "de_DE", u"English"},
        {"LC_MESSAGES before LANG", nullptr, "de_CH.UTF-8", "en_US", u"Deutsch"},
        {"LC_MESSAGES in French", nullptr, "fr_BE.UTF-8", "de_DE", u"Francais"},
        {"empty values are unset", "", "", "de_DE", u"Deutsch"},
        {"empty values before Swedish", "", nullptr, "sv_SE", u"Svenska"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LanguageForLocale(c.lcAll, c.lcMessages, c.lang), c.expected);
    }
}

// Each language a locale picks has its file, and that file's report speaks the language of
// the locale: the code before "_" begins its [Report] Language.
TEST_F(AppDataFolder, EveryLocaleLanguageHasItsFile) {
    const char* const codes[] = {"en", "de", "fr", "es", "it", "pt", "nl", "pl", "cs", "sv"};
    std::set<std::string> files;
    for (const char* code : codes) {
        SCOPED_TRACE(code);
        const std::string language = test::ToUtf8(LanguageForLocale(nullptr, nullptr, code));
        const std::string file = "lang/" + language + ".txt";
        files.insert(file);
        ASSERT_TRUE(fs::is_regular_file(Defaults / file));
        TextTable texts = BuildTextTable();
        ApplyLanguageFile(texts, test::ToUtf16((Defaults / file).string()));
        const std::string report = test::ToUtf8(LookupText(texts, u"Report", u"Language"));
        EXPECT_EQ(report.substr(0, report.find('-')), code);
    }
    EXPECT_EQ(files, LanguageFiles);
}

TEST_F(AppDataFolder, DefaultsAreFoundBesideTheProgramThenInTheSharedFolder) {
    const fs::path root = directory.path();
    fs::create_directories(root / "usr/bin");
    EXPECT_EQ(FindDefaultFolder(root / "usr/bin"), fs::path());
    fs::create_directories(root / "usr/share/velmora/lang");
    EXPECT_EQ(FindDefaultFolder(root / "usr/bin"), fs::path()) << "media/ is missing";
    fs::create_directories(root / "usr/share/velmora/media");
    EXPECT_EQ(FindDefaultFolder(root / "usr/bin"), root / "usr/share/velmora");
    fs::create_directories(root / "usr/bin/default/lang");
    fs::create_directories(root / "usr/bin/default/media");
    EXPECT_EQ(FindDefaultFolder(root / "usr/bin"), root / "usr/bin/default");
    EXPECT_EQ(FindDefaultFolder(fs::path()), fs::path());
    EXPECT_FALSE(ExecutableDirectory().empty());
}

TEST_F(AppDataFolder, AFailedStepLeavesOnlyWholeFiles) {
    struct Case {
        const char* name;
        FileFaults faults;
        fs::path defaults;
        std::set<std::string> expected;  // the files left, each complete
    };
    const std::set<std::string> none;
    const std::set<std::string> withIni = [&] {
        std::set<std::string> files = Defaulted;
        files.insert("ini.ini");
        return files;
    }();
    std::set<std::string> withHistory = withIni;
    withHistory.insert("units/history.txt");
    // Each default file is copied whole first: one create, two closes (the copy and the
    // file it came from) and one rename; then ini.ini, the history and the catalogue.
    const int copies = int(Defaulted.size());
    std::int64_t copiedBytes = 0;
    for (const std::string& name : Defaulted)
        copiedBytes += std::int64_t(fs::file_size(Defaults / name));
    const std::int64_t iniBytes = std::int64_t(IniText("2", "English").size());
    const Case cases[] = {
        {"defaults folder missing", {}, directory.path() / "nowhere", none},
        {"the first picture cannot be copied",
         {.failCreate = true, .passBeforeFault = int(LanguageFiles.size())},
         Defaults,
         LanguageFiles},
        {"ini.ini cannot be created",
         {.failCreate = true, .passBeforeFault = copies},
         Defaults,
         Defaulted},
        {"ini.ini cannot be renamed",
         {.failReplace = true, .passBeforeFault = copies},
         Defaults,
         Defaulted},
        {"history cannot be created",
         {.failCreate = true, .passBeforeFault = copies + 1},
         Defaults,
         withIni},
        {"history cannot be closed",
         {.failClose = true, .passBeforeFault = 2 * copies + 1},
         Defaults,
         withIni},
        {"units write breaks off",
         {.failWriteAfterBytes = copiedBytes + iniBytes + 100},
         Defaults,
         withHistory},
        {"units cannot be renamed",
         {.failReplace = true, .passBeforeFault = copies + 2},
         Defaults,
         withHistory},
    };
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path folder = directory.path() / ("case" + std::to_string(++number));
        InjectedFileFaults = c.faults;
        EXPECT_EQ(PrepareDataFolder(folder, c.defaults, u"English", "2"),
                  FolderPreparation::Incomplete);
        InjectedFileFaults = FileFaults();
        EXPECT_EQ(FilesIn(folder), c.expected);
        if (c.expected.count("ini.ini")) {
            EXPECT_EQ(ReadFileBytes(folder / "ini.ini"), BytesOf(IniText("2", "English")));
        }
        if (c.expected.count("units/history.txt")) {
            EXPECT_EQ(fs::file_size(folder / "units/history.txt"), 0u);
        }
        // A second preparation sees the folder and leaves it as the failure did.
        EXPECT_EQ(PrepareDataFolder(folder, Defaults, u"English", "2"),
                  FolderPreparation::AlreadyThere);
        EXPECT_EQ(FilesIn(folder), c.expected);
    }
}

TEST_F(AppDataFolder, APathNamesTheFolderTheSystemReachesThroughLinksAndDotDot) {
    fs::create_directories("real/sub");
    fs::create_directory_symlink("real/sub", "link");
    fs::create_symlink("nowhere", "dangling");
    test::WriteFileBytes("afile", std::string_view("x"));
    const fs::path here = fs::canonical(".");
    struct Row {
        const char* name;
        fs::path given;
        std::optional<fs::path> resolved;  // none: cannot be entered
    };
    const Row rows[] = {
        {"a new folder", "seeded", here / "seeded"},
        {"an existing one", "real/sub", here / "real/sub"},
        {"\"..\" after a missing part", "./nothere/../seeded", std::nullopt},
        {"\"..\" after the link: above its target", "link/../x", here / "real/x"},
        {"below the link, new parts and a trailing slash", "link/new/deeper/",
         here / "real/sub/new/deeper"},
        {"\".\" and \"..\" among existing parts", "real/./sub/../sub", here / "real/sub"},
        {"\".\" after a missing part", "nothere/./x", here / "nothere/x"},
        {"absolute", here / "link/../x", here / "real/x"},
        {"a file, left for entering to refuse", "afile", here / "afile"},
        {"below a file", "afile/y", std::nullopt},
        {"a dangling link", "dangling", std::nullopt},
        {"below a dangling link", "dangling/z", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::path resolved;
        std::error_code error;
        EXPECT_EQ(ResolveFolderPath(row.given, resolved, error), row.resolved.has_value());
        if (row.resolved) {
            EXPECT_EQ(resolved, *row.resolved);
            EXPECT_FALSE(error);
        } else {
            EXPECT_TRUE(error);
        }
    }
    // Preparing goes by the same resolution: nothing for the first, real/x for the second.
    EXPECT_EQ(PrepareDataFolder("./nothere/../seeded", Defaults, u"English", "1"),
              FolderPreparation::Incomplete);
    EXPECT_FALSE(fs::exists("nothere"));
    EXPECT_FALSE(fs::exists("seeded"));
    EXPECT_EQ(PrepareDataFolder("link/../x", Defaults, u"English", "1"),
              FolderPreparation::Prepared);
    EXPECT_FALSE(fs::exists("x"));
    EXPECT_TRUE(fs::exists("real/x/units/units.txt"));
}

}  // namespace
