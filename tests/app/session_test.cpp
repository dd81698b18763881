// SPDX-License-Identifier: GPL-3.0-or-later
// Whole sessions on the scripted back end: start-up messages and files (also in a newly
// prepared folder), the colours the theme setting chooses, the fatal picture check, the
// commands end to end with the exact bytes of the data files, and the start after a long
// break.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_test_support.h"
#include "app/control_ids.h"
#include "app/data_folder.h"
#include "platform/clock.h"
#include "platform/os_file_faults.h"

namespace {

using apptest::HistoryLines;
using apptest::QueueCheck;
using apptest::WeekSeed;
using test::Bytes;
using test::LineFileBytes;
using test::ReadFileBytes;

const std::u16string ErrorTitle = u"Fehler";
const std::u16string ImageBig = u"Das Bild media/BigImage.png wurde nicht gefunden!";
const std::u16string ImageSmall = u"Das Bild media/SmallImage.png wurde nicht gefunden!";
const std::u16string AddButtonText = u"Es ist keine Trainigseinheit vorhanden!";
const std::u16string DeleteButtonText = u"Es muss eine Trainingseinheit ausgewählt sein!";
const std::u16string SeparatorText =
    u"Name und Beschreibung dürfen die Zeichen | und \\ nicht enthalten!";
const std::u16string ControlCharactersText =
    u"Name und Beschreibung dürfen keine Zeilenumbrüche oder Steuerzeichen enthalten!";

class AppSession : public apptest::SessionTest {};

TEST_F(AppSession, FreshStartReportsAndCreatesIniAndBuildsTheWindow) {
    std::filesystem::remove_all("units");
    ScriptedUi ui;
    Run(ui);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].title, ErrorTitle);
    EXPECT_EQ(ui.messages[0].text, u"Die Konfigurationsdatei ini.ini wurde nicht gefunden!");
    EXPECT_FALSE(ui.messages[0].fatal);
    EXPECT_NE(ui.messages[1].text.find(u"units/units.txt"), std::u16string::npos);
    EXPECT_NE(ui.messages[2].text.find(u"units/history.txt"), std::u16string::npos);
    EXPECT_EQ(ReadFileBytes("ini.ini"),
              Bytes({0xEF, 0xBB, 0xBF, '\r', '\n', 'V',  'e', 'r', 's', 'i', 'o',  'n', ' ', '=',
                     ' ',  '0',  '.',  '1',  '\r', '\n', 'L', 'a', 'n', 'g', 'u',  'a', 'g', 'e',
                     ' ',  '=',  ' ',  'E',  'n',  'g',  'l', 'i', 's', 'h', '\r', '\n'}));
    EXPECT_EQ(ui.title, u"Velmora - Mittwoch - 0.1");
    EXPECT_EQ(ui.windowNumber, 0);
    EXPECT_EQ(ui.clientWidth, 656);
    EXPECT_EQ(ui.clientHeight, 236);
    EXPECT_EQ(ui.controls.size(), 20u);
    EXPECT_TRUE(ui.windowClosed);
    // The loader leaves one week, the current one, and today's day is selected.
    EXPECT_EQ(ui.Control(WeekCombo).items, std::vector<std::u16string>{u"Woche - 8"});
    EXPECT_EQ(ui.ShownText(DayCombo), u"Mittwoch");
}

// Records whether the window was open when the colours were set.
class ColourRecordingUi : public ScriptedUi {
  public:
    int colourCalls = 0;
    bool windowOpenWhenColoured = false;

  protected:
    void DoSetColourScheme(ColourScheme scheme) override {
        ++colourCalls;
        windowOpenWhenColoured = windowOpen;
        ScriptedUi::DoSetColourScheme(scheme);
    }
};

TEST_F(AppSession, ThemeSettingChoosesTheColoursAndOnlySystemAsksTheDesktop) {
    struct Row {
        const char* name;
        std::string theme;  // "-": no ini.ini at all
        bool desktopDark;
        ColourScheme shown;
        int questions;
    };
    const Row rows[] = {
        {"no key, light desktop", "", false, ColourScheme::Light, 1},
        {"no key, dark desktop", "", true, ColourScheme::Dark, 1},
        {"System, dark desktop", "Theme = System\r\n", true, ColourScheme::Dark, 1},
        {"System, light desktop", "Theme = system\r\n", false, ColourScheme::Light, 1},
        {"Light on a dark desktop", "Theme = Light\r\n", true, ColourScheme::Light, 0},
        {"Dark on a light desktop", "Theme = Dark\r\n", false, ColourScheme::Dark, 0},
        {"bad value counts as System", "Theme = Schwarz\r\n", true, ColourScheme::Dark, 1},
        {"no ini.ini: created, System", "-", true, ColourScheme::Dark, 1},
    };
    SeedFiles({u"Plank|3|60|hold"});
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove("ini.ini");
        if (row.theme != "-")
            test::WriteFileBytes("ini.ini", "Version = 0.1\r\nLanguage = English\r\n" + row.theme);
        ColourRecordingUi ui;
        ui.desktopPrefersDark = row.desktopDark;
        Run(ui);
        EXPECT_EQ(ui.colourScheme, row.shown);
        EXPECT_EQ(ui.desktopQuestions, row.questions);
        EXPECT_EQ(ui.colourCalls, 1);
        EXPECT_FALSE(ui.windowOpenWhenColoured) << "the window opens in its colours";
        EXPECT_EQ(ui.controls.size(), 20u);
    }
}

TEST_F(AppSession, MissingIniIsWordedBuiltInAndLaterBoxesInTheLanguageOfTheFile) {
    std::filesystem::create_directory("lang");
    test::WriteFileBytes("lang/English.txt", "[Errors]\nTitle = Error\nUnitFile = No {replace}\n");
    ScriptedUi ui;
    Run(ui);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].title, ErrorTitle) << "the language file is read after ini.ini";
    EXPECT_EQ(ui.messages[0].text, u"Die Konfigurationsdatei ini.ini wurde nicht gefunden!");
    EXPECT_EQ(ui.messages[1].title, u"Error");
    EXPECT_EQ(ui.messages[1].text, u"No units/units.txt");
}

TEST_F(AppSession, FirstStartInANewlyPreparedFolderShowsNoMessageBox) {
    struct Case {
        const char* name;
        std::u16string language;
        std::u16string title;
        std::u16string firstUnit;
        std::u16string week;
    };
    const Case cases[] = {
        {"German", u"Deutsch", u"Velmora - Mittwoch - 1.0.0", u"Liegestütze: 3-15", u"Woche - 8"},
        {"English", u"English", u"Velmora - Wednesday - 1.0.0", u"Push-ups: 3-15", u"Week - 8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path folder = directory.path() / c.name;
        ASSERT_EQ(PrepareDataFolder(folder, VELMORA_DEFAULT_FOLDER, c.language, "1.0.0"),
                  FolderPreparation::Prepared);
        std::filesystem::current_path(folder);
        ScriptedUi ui;
        Run(ui);
        EXPECT_EQ(MessageTexts(ui), std::vector<std::u16string>());
        EXPECT_EQ(ui.title, c.title);
        const std::vector<std::u16string>& units = ui.Control(UnitCombo).items;
        ASSERT_EQ(units.size(), 8u);
        EXPECT_EQ(units[0].rfind(c.firstUnit, 0), 0u);
        EXPECT_EQ(ui.Control(WeekCombo).items, std::vector<std::u16string>{c.week});
        // Nothing was saved, so the empty history stays empty.
        EXPECT_EQ(std::filesystem::file_size("units/history.txt"), 0u);
    }
}

TEST_F(AppSession, MissingOrUndecodablePictureEndsWithOneFatalBoxAndNoWindow) {
    struct Case {
        const char* name;
        bool big;    // media/BigImage.png present
        bool small;  // media/SmallImage.png present
        bool bigIsGarbage;
        std::u16string expected;
    };
    const Case cases[] = {
        {"big missing", false, true, false, ImageBig},
        {"both missing: only the big one is reported", false, false, false, ImageBig},
        {"small missing", true, false, false, ImageSmall},
        {"big not a picture", true, true, true, ImageBig},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        apptest::WriteMediaPictures();
        SeedFiles({u"A|1|2|x"});
        if (!row.big) std::filesystem::remove("media/BigImage.png");
        if (!row.small) std::filesystem::remove("media/SmallImage.png");
        if (row.bigIsGarbage) test::WriteFileBytes("media/BigImage.png", "not a picture");
        Bytes unitsBefore = ReadFileBytes("units/units.txt");
        ScriptedUi ui;
        ui.QueueClick(SaveButton);
        Run(ui);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].title, ErrorTitle);
        EXPECT_EQ(ui.messages[0].text, row.expected);
        EXPECT_TRUE(ui.messages[0].fatal);
        EXPECT_FALSE(ui.windowOpen);
        EXPECT_TRUE(ui.controls.empty());
        EXPECT_TRUE(ui.title.empty());
        EXPECT_EQ(ui.steps.size(), 1u) << "no event may be taken after a fatal box";
        EXPECT_EQ(ReadFileBytes("units/units.txt"), unitsBefore);
    }
}

TEST_F(AppSession, CreateAddAndSaveWriteExactFiles) {
    SeedFiles({u"Plank|3|60|hold"});
    ScriptedUi ui;
    ui.QueueText(NameField, u"Laufen");
    ui.QueueText(Count1Field, u"3x");
    ui.QueueText(Count2Field, u" 7");
    ui.QueueText(DescriptionField, u"Intervall");
    ui.QueueClick(CreateUnitButton);
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(current.Control(UnitCombo).items,
                  (std::vector<std::u16string>{u"Plank: 3-60 | hold", u"Laufen: 3-7 | Intervall"}));
        EXPECT_EQ(current.Control(UnitCombo).selected, 1);
        for (int id : {NameField, Count1Field, Count2Field, DescriptionField}) {
            EXPECT_EQ(current.Control(id).text, u"") << id;
        }
        for (int id : {Count1Field, Count2Field, DescriptionField}) {
            EXPECT_FALSE(current.Control(id).enabled) << id;
        }
        EXPECT_TRUE(current.Control(NameField).enabled);
    });
    ui.QueueClick(AddEntryButton);
    ui.QueueClick(SaveButton);
    Run(ui);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Rows(ui),
              (std::vector<std::vector<std::u16string>>{{u"Laufen", u"3 - 7", u"Intervall"}}));
    ASSERT_EQ(ui.pauses.size(), 2u);
    EXPECT_EQ(ui.pauses[0].milliseconds, 100);
    EXPECT_EQ(ui.pauses[0].TextOf(SaveButton), u"Speichern");
    EXPECT_EQ(ui.pauses[1].milliseconds, 1000);
    EXPECT_EQ(ui.pauses[1].TextOf(SaveButton), u"Gespeichert!");
    EXPECT_EQ(ui.Control(SaveButton).text, u"Speichern");
    EXPECT_EQ(ReadFileBytes("units/units.txt"),
              LineFileBytes({u"Plank|3|60|hold", u"Laufen|3|7|Intervall"}));
    EXPECT_EQ(ReadFileBytes("units/history.txt"),
              LineFileBytes(HistoryLines({{8, {u"", u"", u"Laufen|3|7|Intervall"}}})));
}

TEST_F(AppSession, AddTwiceThenDeleteRemovesTheChosenEntries) {
    SeedFiles({u"A|1|2|x"}, {{8, {u"", u"", u"B|3|4|y"}}});
    ScriptedUi ui;
    ui.QueueClick(AddEntryButton);
    ui.QueueClick(AddEntryButton);
    ui.QueueSelect(EntryList, 2);
    ui.QueueClick(DeleteEntryButton);
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(current.Control(EntryList).items.size(), 2u);
        EXPECT_EQ(current.Control(EntryList).selected, -1);
    });
    ui.QueueClick(DeleteEntryButton);  // nothing selected any more
    ui.QueueSelect(EntryList, 0);
    ui.QueueClick(DeleteEntryButton);
    ui.QueueClick(SaveButton);
    Run(ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, ErrorTitle);
    EXPECT_EQ(ui.messages[0].text, DeleteButtonText);
    EXPECT_EQ(Rows(ui), (std::vector<std::vector<std::u16string>>{{u"A", u"1 - 2", u"x"}}));
    EXPECT_EQ(ReadFileBytes("units/history.txt"),
              LineFileBytes(HistoryLines({{8, {u"", u"", u"A|1|2|x"}}})));
}

TEST_F(AppSession, DeletingTheOnlyEntryEmptiesTheDay) {
    SeedFiles({u"A|1|2|x"}, {{8, {u"", u"", u"B|3|4|y"}}});
    ScriptedUi ui;
    ui.QueueSelect(EntryList, 0);
    ui.QueueClick(DeleteEntryButton);
    ui.QueueClick(SaveButton);
    Run(ui);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(Rows(ui).empty());
    EXPECT_EQ(ReadFileBytes("units/history.txt"), LineFileBytes(HistoryLines({{8, {}}})));
}

TEST_F(AppSession, ChoosingWeekAndDayShowsAndEditsThatDay) {
    SeedFiles({u"N|5|6|n"}, {{1, {u"M|1|1|m"}}, {8, {u"", u"", u"W|2|2|w"}}});
    ScriptedUi ui;
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(current.Control(WeekCombo).items,
                  (std::vector<std::u16string>{u"Woche - 1", u"Woche - 8"}));
        EXPECT_EQ(current.Control(WeekCombo).selected, 1);
        EXPECT_EQ(current.Control(DayCombo).selected, 2);
        EXPECT_EQ(current.Control(EntryList).cells().size(), 1u);
    });
    ui.QueueSelect(WeekCombo, 0);
    QueueCheck(ui,
               [](ScriptedUi& current) { EXPECT_TRUE(current.Control(EntryList).items.empty()); });
    ui.QueueSelect(DayCombo, 0);
    ui.QueueClick(AddEntryButton);
    ui.QueueSelect(EntryList, 1);
    ui.QueueClick(WeekCombo);  // any event refills and drops the row selection
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(current.Control(EntryList).selected, -1);
        EXPECT_EQ(current.Control(EntryList).items.size(), 2u);
    });
    ui.QueueClick(SaveButton);
    Run(ui);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Rows(ui), (std::vector<std::vector<std::u16string>>{{u"M", u"1 - 1", u"m"},
                                                                  {u"N", u"5 - 6", u"n"}}));
    EXPECT_EQ(
        ReadFileBytes("units/history.txt"),
        LineFileBytes(HistoryLines({{1, {u"M|1|1|m\\N|5|6|n"}}, {8, {u"", u"", u"W|2|2|w"}}})));
}

TEST_F(AppSession, SavingTwiceWritesTwiceAndConfirmsEachTime) {
    SeedFiles({u"A|1|2|x"});
    ScriptedUi ui;
    ui.QueueClick(SaveButton);
    QueueCheck(ui, [](ScriptedUi&) {
        EXPECT_EQ(ReadFileBytes("units/history.txt"), LineFileBytes(HistoryLines({{8, {}}})));
        std::filesystem::remove("units/units.txt");
    });
    ui.QueueClick(AddEntryButton);
    ui.QueueClick(SaveButton);
    Run(ui);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(ui.pauses.size(), 2u);
    for (const RecordedPause& pause : ui.pauses) {
        EXPECT_EQ(pause.milliseconds, 1000);
        EXPECT_EQ(pause.TextOf(SaveButton), u"Gespeichert!");
    }
    EXPECT_EQ(ReadFileBytes("units/units.txt"), LineFileBytes({u"A|1|2|x"}));
    EXPECT_EQ(ReadFileBytes("units/history.txt"),
              LineFileBytes(HistoryLines({{8, {u"", u"", u"A|1|2|x"}}})));
}

TEST_F(AppSession, ClosingWithoutSavingLeavesTheFilesUntouched) {
    SeedFiles({u"A|1|2|x"}, {{8, {u"B|3|4|y"}}});
    Bytes units = ReadFileBytes("units/units.txt");
    Bytes history = ReadFileBytes("units/history.txt");
    ScriptedUi ui;
    ui.QueueText(NameField, u"New");
    ui.QueueClick(CreateUnitButton);
    ui.QueueClick(AddEntryButton);
    ui.QueueClose();
    ui.QueueClick(SaveButton);  // never reached: the close ends the loop at once
    Run(ui);
    EXPECT_EQ(ui.steps.size(), 1u);
    EXPECT_TRUE(ui.windowClosed);
    EXPECT_EQ(ReadFileBytes("units/units.txt"), units);
    EXPECT_EQ(ReadFileBytes("units/history.txt"), history);
}

TEST_F(AppSession, EmptyCatalogueAndMissingSelectionAreReported) {
    SeedFiles({}, {{8, {u"", u"", u"B|3|4|y"}}});
    ScriptedUi ui;
    ui.QueueClick(AddEntryButton);
    ui.QueueClick(DeleteEntryButton);
    Run(ui);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].title, ErrorTitle);
    EXPECT_EQ(ui.messages[0].text, AddButtonText);
    EXPECT_EQ(ui.messages[1].text, DeleteButtonText);
    EXPECT_FALSE(ui.messages[0].fatal || ui.messages[1].fatal);
    EXPECT_TRUE(ui.Control(UnitCombo).items.empty());
    EXPECT_EQ(ui.Control(UnitCombo).selected, -1);
    EXPECT_EQ(Rows(ui), (std::vector<std::vector<std::u16string>>{{u"B", u"3 - 4", u"y"}}));
}

TEST_F(AppSession, CreateRefusesSeparatorsAndControlCharactersInNameOrDescription) {
    struct Case {
        const char* name;
        std::u16string unitName;
        std::u16string description;
        const std::u16string& message;
    };
    const Case cases[] = {
        {"bar in name", u"a|b", u"d", SeparatorText},
        {"backslash in name", u"a\\b", u"d", SeparatorText},
        {"bar in description", u"a", u"x|y", SeparatorText},
        {"backslash in description", u"a", u"x\\y", SeparatorText},
        {"line feed in name", u"Squat\nLunge", u"d", ControlCharactersText},
        {"carriage return in description", u"a", u"deep\r", ControlCharactersText},
        {"NUL in name", std::u16string(u"a\0b", 3), u"d", ControlCharactersText},
        {"unit separator in description", u"a", u"x\x1Fy", ControlCharactersText},
        {"escape in name", u"\x1B", u"d", ControlCharactersText},
        {"bar wins over a line break", u"a|\n", u"d", SeparatorText},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        SeedFiles({u"A|1|2|x"});
        ScriptedUi ui;
        ui.QueueText(NameField, row.unitName);
        ui.QueueText(Count1Field, u"5");
        ui.QueueText(DescriptionField, row.description);
        ui.QueueClick(CreateUnitButton);
        ui.QueueClick(SaveButton);
        Run(ui);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].title, ErrorTitle);
        EXPECT_EQ(ui.messages[0].text, row.message);
        EXPECT_EQ(ui.Control(NameField).text, row.unitName);
        EXPECT_EQ(ui.Control(Count1Field).text, u"5");
        EXPECT_EQ(ui.Control(DescriptionField).text, row.description);
        EXPECT_TRUE(ui.Control(DescriptionField).enabled);
        ASSERT_EQ(ui.pauses.size(), 1u) << "only the save's pause, none for the refused unit";
        EXPECT_EQ(ui.Control(UnitCombo).items.size(), 1u);
        EXPECT_EQ(ReadFileBytes("units/units.txt"), LineFileBytes({u"A|1|2|x"}));
    }
}

TEST_F(AppSession, AddRefusesACatalogueUnitHoldingABackslash) {
    for (const std::u16string& line :
         {std::u16string(u"Back\\slash|1|2|d"), std::u16string(u"N|1|2|a\\b")}) {
        SCOPED_TRACE(test::ToUtf8(line));
        SeedFiles({line});
        ScriptedUi ui;
        ui.QueueClick(AddEntryButton);
        ui.QueueClick(SaveButton);
        Run(ui);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, SeparatorText);
        EXPECT_TRUE(Rows(ui).empty());
        EXPECT_EQ(ReadFileBytes("units/history.txt"), LineFileBytes(HistoryLines({{8, {}}})));
    }
}

TEST_F(AppSession, FailedSaveKeepsTheSaveTextAndDoesNotPause) {
    SeedFiles({u"A|1|2|x"});
    ScriptedUi ui;
    ui.QueueClick(AddEntryButton);
    QueueCheck(ui, [](ScriptedUi&) { InjectedFileFaults.failCreate = true; });
    ui.QueueClick(SaveButton);
    Run(ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, ErrorTitle);
    EXPECT_NE(ui.messages[0].text.find(u"units/history.txt"), std::u16string::npos);
    EXPECT_TRUE(ui.pauses.empty());
    EXPECT_EQ(ui.Control(SaveButton).text, u"Speichern");
    // The history failed first; the catalogue is still written.
    EXPECT_EQ(ReadFileBytes("units/history.txt"), LineFileBytes(HistoryLines({{8, {}}})));
    EXPECT_EQ(ReadFileBytes("units/units.txt"), LineFileBytes({u"A|1|2|x"}));
}

TEST_F(AppSession, FailedCatalogueSaveStillWritesTheHistoryFirst) {
    SeedFiles({});
    std::filesystem::remove("units/units.txt");
    std::filesystem::create_directories("units/units.txt");  // cannot be read nor written
    ScriptedUi ui;
    ui.QueueClick(SaveButton);
    Run(ui);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[0].text.find(u"units/units.txt"), std::u16string::npos);  // loading
    EXPECT_NE(ui.messages[1].text.find(u"units/units.txt"), std::u16string::npos);  // saving
    EXPECT_NE(ui.messages[0].text, ui.messages[1].text);
    EXPECT_TRUE(ui.pauses.empty());
    EXPECT_EQ(ui.Control(SaveButton).text, u"Speichern");
    EXPECT_EQ(ReadFileBytes("units/history.txt"), LineFileBytes(HistoryLines({{8, {}}})));
}

TEST_F(AppSession, TitleAndDayFollowTheStartDay) {
    struct Case {
        const char* name;
        int day;  // of January 2024
        std::u16string title;
        std::u16string shownDay;
        std::intptr_t dayIndex;
    };
    const Case cases[] = {
        {"Monday", 8, u"Velmora - Montag - 0.1", u"Montag", 0},
        {"Sunday", 14, u"Velmora - Sonntag - 0.1", u"Sonntag", 6},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        SetClock([day = row.day] { return DateOf(2024, 1, day); });
        SeedFiles({});
        ScriptedUi ui;
        Run(ui);
        EXPECT_EQ(ui.title, row.title);
        EXPECT_EQ(ui.ShownText(DayCombo), row.shownDay);
        EXPECT_EQ(ui.Control(DayCombo).selected, row.dayIndex);
    }
}

// Saved on Monday 10 April 2023 in week 100, started again on Monday 22 January 2024: every
// week between is added, each numbered in its own year, and today's entry goes to week 22,
// the one shown.
TEST_F(AppSession, StartAfterABreakAcrossTheNewYearAddsTheWeeksUpToTheCurrentOne) {
    SeedFiles({u"Plank|3|60|hold"}, {{100, {u"Run|1|30|easy"}}});
    ASSERT_TRUE(test::SetFileDay("units/history.txt", 2023, 4, 10));
    SetClock([] { return DateOf(2024, 1, 22); });
    ScriptedUi ui;
    ui.QueueClick(AddEntryButton);
    ui.QueueClick(SaveButton);
    Run(ui);
    EXPECT_TRUE(ui.messages.empty());
    std::vector<WeekSeed> weeks = {{100, {u"Run|1|30|easy"}}};
    for (long long number = 107; number <= 359; number += 7) weeks.push_back({number, {}});
    for (long long number = 1; number <= 22; number += 7) weeks.push_back({number, {}});
    weeks.back().days = {u"Plank|3|60|hold"};
    EXPECT_EQ(ReadFileBytes("units/history.txt"), LineFileBytes(HistoryLines(weeks)));
    const ScriptedControl& combo = ui.Control(WeekCombo);
    ASSERT_EQ(combo.items.size(), weeks.size());
    EXPECT_EQ(combo.selected, std::intptr_t(weeks.size()) - 1);
    EXPECT_EQ(ui.ShownText(WeekCombo), u"Woche - 22");
}

TEST_F(AppSession, VersionFromIniEndsTheTitleWithItsBlanks) {
    SeedFiles({});
    apptest::WriteIni("English", "2.5   ");
    ScriptedUi ui;
    Run(ui);
    EXPECT_EQ(ui.title, u"Velmora - Mittwoch - 2.5   ");
}

TEST_F(AppSession, LanguageFileOverridesCaptionsDayNamesAndMessages) {
    SeedFiles({});
    apptest::WriteIni("Test");
    std::filesystem::create_directories("lang");
    test::WriteFileBytes("lang/Test.txt",
                         "\xEF\xBB\xBF[Global]\r\nWinTitle = Planner: \r\nSave = Store\r\n"
                         "Saved = Stored!\r\n[days]\r\nwednesday = Wednesday\r\n"
                         "[Calendar]\r\nWeek = Week \r\nUnit = Unit\r\n"
                         "[Edit]\r\nImageToolTipp = Change {REPLACE} in media\r\n"
                         "Delete =\r\n[Errors]\r\nTitle = Error\r\nAddButton = No unit yet\r\n");
    ScriptedUi ui;
    ui.QueueClick(AddEntryButton);
    ui.QueueClick(SaveButton);
    Run(ui);
    EXPECT_EQ(ui.title, u"Planner: Wednesday - 0.1");
    EXPECT_EQ(ui.Control(SaveButton).text, u"Store");
    EXPECT_EQ(ui.Control(DeleteEntryButton).text, u"");
    EXPECT_EQ(ui.Control(AddEntryButton).text, u"Trainingseinheit hinzufügen");
    EXPECT_EQ(ui.Control(DayCombo).items[2], u"Wednesday");
    EXPECT_EQ(ui.Control(DayCombo).items[3], u"Donnerstag");
    EXPECT_EQ(ui.Control(WeekCombo).items, std::vector<std::u16string>{u"Week 8"});
    EXPECT_EQ(ui.Control(EntryList).columns[0].first, u"Unit");
    EXPECT_EQ(ui.Control(EntryList).columns[1].first, u"Anzahl");
    EXPECT_EQ(ui.Control(SmallPicture).tooltip, u"Change SmallImage.png in media");
    EXPECT_EQ(ui.Control(BigPicture).tooltip, u"Change BigImage.png in media");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, u"Error");
    EXPECT_EQ(ui.messages[0].text, u"No unit yet");
    ASSERT_EQ(ui.pauses.size(), 1u);
    EXPECT_EQ(ui.pauses[0].TextOf(SaveButton), u"Stored!");
}

TEST_F(AppSession, WeekOrDayWithoutSelectionLeavesAddAndDeleteInert) {
    SeedFiles({u"A|1|2|x"}, {{8, {u"", u"", u"B|3|4|y"}}});
    ScriptedUi ui;
    ui.QueueSelect(WeekCombo, -1);
    ui.QueueClick(AddEntryButton);
    ui.QueueClick(DeleteEntryButton);
    ui.QueueSelect(WeekCombo, 5);  // past the end: nothing selected either
    ui.QueueClick(AddEntryButton);
    QueueCheck(ui,
               [](ScriptedUi& current) { EXPECT_TRUE(current.Control(EntryList).items.empty()); });
    ui.QueueSelect(WeekCombo, 0);
    ui.QueueSelect(DayCombo, -1);
    ui.QueueClick(AddEntryButton);
    ui.QueueSelect(DayCombo, 2);
    ui.QueueClick(SaveButton);
    Run(ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, DeleteButtonText);
    EXPECT_EQ(Rows(ui), (std::vector<std::vector<std::u16string>>{{u"B", u"3 - 4", u"y"}}));
    EXPECT_EQ(ReadFileBytes("units/history.txt"),
              LineFileBytes(HistoryLines({{8, {u"", u"", u"B|3|4|y"}}})));
}

}  // namespace
