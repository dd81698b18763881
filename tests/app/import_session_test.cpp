// SPDX-License-Identifier: GPL-3.0-or-later
// The import and the repeated week in whole sessions on the scripted back end: the dialog, the
// summary box, the lists after it, undo and redo of the whole import (weeks added before the
// first included), the saved bytes, files that are no training file, and Repeat last week with
// its greyed menu item.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/app_test_support.h"
#include "app/context_menu.h"
#include "app/control_ids.h"
#include "imports/import_formats.h"

namespace {

namespace fs = std::filesystem;
using apptest::HistoryLines;
using apptest::QueueCheck;
using apptest::WeekSeed;
using Cells = std::vector<std::vector<std::u16string>>;

test::Bytes HistoryBytes(const std::vector<WeekSeed>& weeks) {
    return test::LineFileBytes(HistoryLines(weeks));
}

std::vector<std::u16string> Items(ScriptedUi& ui, int id) {
    return ui.Control(id).items;
}

constexpr char StrongFile[] =
    "Date,Workout Name,Duration,Exercise Name,Set Order,Weight,Reps,Distance,Seconds,Notes,"
    "Workout Notes,RPE\n"
    "2024-01-09 18:05:11,Push,41m,Bench,1,80,10,0,0,,,\n"
    "2024-01-09 18:05:11,Push,41m,Bench,2,80,8,0,0,,,\n"
    "2024-01-09 18:05:11,Push,41m,Bench,Rest Timer,0,0,0,90,,,\n"
    "2024-01-09 18:05:11,Push,41m,Bench,3,80,8,0,0,,,\n"
    "2024-01-02 07:00:00,Run,30m,Running,1,0,0,5,1800,,,\n"
    "02.01.2024 07:00,Run,30m,Running,1,0,0,5,1800,,,\n"
    "2023-12-27 18:00:00,Pull,1h,Row,1,60,12,0,0,,,\n";

std::size_t Item(const char* name) {
    return std::size_t(MenuItemNamed(name));
}

class ImportSession : public apptest::SessionTest {
  protected:
    void QueueImport(ScriptedUi& ui, const std::string& file) {
        ui.fileAnswers.push_back(test::ToUtf16((directory.path() / file).string()));
        ui.QueueMenu(Item("import"));
    }
};

TEST_F(ImportSession, AStrongFileIsOneStepThatUndoAndRedoTakeBackAndSaveWrites) {
    SeedFiles({u"Plank|3|60|hold"}, {{1, {u"A|1|1|a"}}, {8, {}}});
    test::WriteFileBytes("strong.csv", std::string_view(StrongFile));
    ScriptedUi ui;
    QueueImport(ui, "strong.csv");
    QueueCheck(ui, [this](ScriptedUi& current) {
        ASSERT_EQ(current.fileDialogs.size(), 1u);
        EXPECT_EQ(current.fileDialogs[0].title, u"Training importieren");
        EXPECT_EQ(current.fileDialogs[0].filterName, u"CSV-Dateien");
        EXPECT_EQ(current.fileDialogs[0].pattern, u"*.csv");
        ASSERT_EQ(current.messages.size(), 1u);
        EXPECT_EQ(current.messages[0].title, u"Import");
        EXPECT_EQ(current.messages[0].text,
                  u"Importierte Einträge: 3\nTage mit neuen Einträgen: 3\n"
                  u"Neue Trainingseinheiten: 3\nÜbersprungene Zeilen: 1\n"
                  u"Zuerst übersprungen: Zeile 7 (Datum nicht lesbar)");
        // The week before the first came in front; the window still shows week 8's Wednesday.
        EXPECT_EQ(Items(current, WeekCombo),
                  (std::vector<std::u16string>{u"Woche - 359", u"Woche - 1", u"Woche - 8"}));
        EXPECT_EQ(current.Control(WeekCombo).selected, 2);
        EXPECT_EQ(program->selection.week, 2);
        EXPECT_EQ(current.Control(DayCombo).selected, 2);
        EXPECT_EQ(Items(current, UnitCombo).size(), 4u);
    });
    ui.QueueSelect(DayCombo, 1);
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(SessionTest::Rows(current), (Cells{{u"Bench", u"3 - 8", u"80; 10/8/8"}}));
    });
    ui.QueueKey(-1, UserCommand::Undo);
    QueueCheck(ui, [this](ScriptedUi& current) {
        EXPECT_EQ(Items(current, WeekCombo),
                  (std::vector<std::u16string>{u"Woche - 1", u"Woche - 8"}));
        // The day shown before the import, in the history without its weeks.
        EXPECT_EQ(current.Control(WeekCombo).selected, 1);
        EXPECT_EQ(current.Control(DayCombo).selected, 2);
        EXPECT_EQ(program->document.history[0].days[1], u"");
        EXPECT_EQ(program->document.history[1].days[1], u"");
        EXPECT_EQ(program->document.catalogue.size(), 4u) << "the new units stay";
    });
    ui.QueueKey(-1, UserCommand::Redo);
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(current.Control(WeekCombo).items.size(), 3u);
        EXPECT_EQ(current.Control(WeekCombo).selected, 2);
    });
    ui.QueueClick(SaveButton);
    Run(ui);
    EXPECT_EQ(test::ReadFileBytes("units/history.txt"),
              HistoryBytes({{359, {u"", u"", u"Row|1|12|60"}},
                            {1, {u"A|1|1|a", u"Running|1|0|5; 30 min"}},
                            {8, {u"", u"Bench|3|8|80; 10/8/8"}}}));
    EXPECT_EQ(
        test::ReadFileBytes("units/units.txt"),
        test::LineFileBytes({u"Plank|3|60|hold", u"Bench|3|8|", u"Running|1|0|", u"Row|1|12|"}));
}

TEST_F(ImportSession, TheSameFileTwiceInEnglishFindsEverythingThere) {
    SeedFiles({}, {{8, {}}});
    fs::create_directory("lang");
    fs::copy_file(VELMORA_DEFAULT_FOLDER "/lang/English.txt", "lang/English.txt");
    test::WriteFileBytes(
        "hevy.csv",
        std::string_view(
            "\"title\",\"start_time\",\"end_time\",\"description\",\"exercise_title\","
            "\"superset_id\",\"exercise_notes\",\"set_index\",\"set_type\",\"weight_kg\","
            "\"reps\",\"distance_km\",\"duration_seconds\",\"rpe\"\n"
            "\"Legs\",\"9 Jan 2024, 07:06\",\"9 Jan 2024, 08:11\",\"\",\"Squat (Barbell)\",,"
            "\"\",0,\"warmup\",60,10,,,\n"
            "\"Legs\",\"9 Jan 2024, 07:06\",\"9 Jan 2024, 08:11\",\"\",\"Squat (Barbell)\",,"
            "\"\",1,\"normal\",100,5,,,8\n"
            "\"Legs\",\"9 Jan 2024, 07:06\",\"9 Jan 2024, 08:11\",\"\",\"Plank\",,\"\",0,"
            "\"normal\",,,,60,\n"));
    ScriptedUi ui;
    QueueImport(ui, "hevy.csv");
    QueueImport(ui, "hevy.csv");
    ui.QueueKey(-1, UserCommand::Undo);  // the first: the second changed nothing
    Run(ui);
    EXPECT_EQ(MessageTexts(ui),
              (std::vector<std::u16string>{
                  u"Entries imported: 2\nDays with new entries: 1\nNew training units: 2\n"
                  u"Rows skipped: 0",
                  u"Entries imported: 0\nDays with new entries: 0\nEntries already there: 2\n"
                  u"Rows skipped: 0"}));
    EXPECT_EQ(ui.Control(WeekCombo).items, std::vector<std::u16string>{u"Week - 8"});
    EXPECT_EQ(program->document.history[0].days[1], u"");
    EXPECT_EQ(program->edits.done, 0u);
}

TEST_F(ImportSession, AFileThatIsNoTrainingFileOrCannotBeReadChangesNothing) {
    SeedFiles({u"Plank|3|60|hold"}, {{8, {u"A|1|1|a"}}});
    test::WriteFileBytes("people.csv", std::string_view("Name,Email\nAda,ada@example.org\n"));
    fs::create_directory("folder.csv");
    const std::string here = directory.path().string();
    const std::u16string expected =
        u"Velmora: Woche, Montag der Woche, Datum, Wochentag, Einheit, Anzahl 1, Anzahl 2, "
        u"Beschreibung\n"
        u"Strong: Date, Workout Name, Duration, Exercise Name, Set Order, Weight, Reps, Distance, "
        u"Seconds, Notes, Workout Notes, RPE\n"
        u"Hevy: title, start_time, end_time, description, exercise_title, superset_id, "
        u"exercise_notes, set_index, set_type, weight_kg, reps, distance_km, duration_seconds, rpe";
    struct Row {
        const char* name;
        std::optional<std::string> file;  // nullopt: the dialog is cancelled
        std::u16string text;              // the box, "" for none
    };
    const Row rows[] = {
        {"another program's CSV", "people.csv",
         u"Die Datei " + test::ToUtf16(here) +
             u"/people.csv ist keine bekannte Trainingsdatei. Es wurde nichts importiert. "
             u"Erwartet wird die Kopfzeile einer dieser Dateien:\n\n" +
             expected},
        {"a file that is not there", "gone.csv",
         u"Die Datei " + test::ToUtf16(here) +
             u"/gone.csv konnte nicht gelesen werden. Es wurde nichts importiert."},
        {"a folder", "folder.csv",
         u"Die Datei " + test::ToUtf16(here) +
             u"/folder.csv konnte nicht gelesen werden. Es wurde nichts importiert."},
        {"the dialog cancelled", std::nullopt, u""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedUi ui;
        if (row.file) {
            QueueImport(ui, *row.file);
        } else {
            ui.QueueMenu(Item("import"));
        }
        ui.QueueClick(SaveButton);
        Run(ui);
        EXPECT_EQ(ui.fileDialogs.size(), 1u);
        EXPECT_EQ(MessageTexts(ui), row.text.empty() ? std::vector<std::u16string>{}
                                                     : std::vector<std::u16string>{row.text});
        EXPECT_TRUE(program->edits.steps.empty());
        EXPECT_EQ(test::ReadFileBytes("units/history.txt"), HistoryBytes({{8, {u"A|1|1|a"}}}));
        EXPECT_EQ(test::ReadFileBytes("units/units.txt"),
                  test::LineFileBytes({u"Plank|3|60|hold"}));
    }
}

TEST_F(ImportSession, RepeatLastWeekFillsTheEmptyDaysAsOneStepAndIsGreyedWithoutAWeekBefore) {
    SeedFiles({}, {{1, {u"A|1|1|a", u"", u"C|3|3|c", u"", u"", u"", u"G|7|7|g"}},
                   {8, {u"  ", u"", u"X|9|9|x"}}});
    ScriptedUi ui;
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_TRUE(current.ContextMenu()[Item("repeat")].enabled);
        EXPECT_TRUE(current.ContextMenu()[Item("import")].enabled);
    });
    ui.QueueMenu(Item("repeat"));
    QueueCheck(ui, [this](ScriptedUi& current) {
        EXPECT_EQ(program->document.history[1].days,
                  (std::array<std::u16string, 7>{u"A|1|1|a", u"", u"X|9|9|x", u"", u"", u"",
                                                 u"G|7|7|g"}));
        EXPECT_EQ(SessionTest::Rows(current), (Cells{{u"X", u"9 - 9", u"x"}}))
            << "Wednesday keeps its own entry";
    });
    ui.QueueMenu(Item("repeat"));  // nothing left to fill: no second step
    ui.QueueKey(-1, UserCommand::Undo);
    QueueCheck(ui, [this](ScriptedUi& current) {
        EXPECT_EQ(program->document.history[1].days[0], u"  ");
        EXPECT_EQ(program->document.history[1].days[6], u"");
        EXPECT_EQ(current.Control(WeekCombo).selected, 1);
        EXPECT_EQ(program->edits.done, 0u);
    });
    ui.QueueSelect(WeekCombo, 0);
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_FALSE(current.ContextMenu()[Item("repeat")].enabled) << "no week before week 1";
    });
    ui.QueueMenu(Item("repeat"));  // greyed: the choice raises nothing
    ui.QueueSelect(WeekCombo, 1);
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_TRUE(current.ContextMenu()[Item("repeat")].enabled);
    });
    ui.QueueClick(SaveButton);
    Run(ui);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(test::ReadFileBytes("units/history.txt"),
              HistoryBytes({{1, {u"A|1|1|a", u"", u"C|3|3|c", u"", u"", u"", u"G|7|7|g"}},
                            {8, {u"  ", u"", u"X|9|9|x"}}}));
}

}  // namespace
