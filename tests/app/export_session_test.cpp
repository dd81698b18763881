// SPDX-License-Identifier: GPL-3.0-or-later
// The context menu's exports in whole sessions: the menu's texts, the three files written into
// reports/ from what the program holds (saved or not) and handed over to be opened, and a
// reports folder that cannot be written.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "app/app_test_support.h"
#include "app/context_menu.h"
#include "app/control_ids.h"
#include "config/configuration.h"
#include "data/week_history.h"
#include "platform/clock.h"
#include "reports/exports.h"

namespace {

namespace fs = std::filesystem;

std::string FileText(const fs::path& path) {
    const test::Bytes bytes = test::ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

class ExportSession : public apptest::SessionTest {};

TEST_F(ExportSession, EachItemWritesItsFileFromMemoryAndOpensIt) {
    SeedFiles({u"Push-ups|3|15|wide"}, {{1, {u"Plank|3|60|hold"}}, {8, {}}});
    struct Row {
        const char* name;
        const char* item;  // its name in the menu table
        const char* path;
        std::string (*writer)(const std::vector<TrainingWeek>&, const TextTable&, const LocalDate&,
                              const std::optional<LocalDate>&);
    };
    const Row rows[] = {
        {"report", "report", "reports/report.html", ReportHtml},
        {"CSV", "csv", "reports/training.csv", TrainingCsv},
        {"calendar", "calendar", "reports/training.ics", TrainingIcs},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all("reports");
        ScriptedUi ui;
        ui.QueueClick(AddEntryButton);  // not saved: the export shows it all the same
        ui.QueueMenu(std::size_t(MenuItemNamed(row.item)));
        Run(ui);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(ui.openedFiles, std::vector<std::u16string>{test::ToUtf16(row.path)});
        ASSERT_TRUE(test::FileExists(row.path));
        const std::string written = FileText(row.path);
        EXPECT_EQ(written, row.writer(program->document.history, program->texts, Today(),
                                      program->document.lastWeekEvidence));
        EXPECT_NE(written.find("Push-ups"), std::string::npos) << "the unsaved entry is in it";
        EXPECT_TRUE(test::TemporaryFilesIn("reports").empty());
    }
}

TEST_F(ExportSession, MenuTextsComeFromTheTextTable) {
    SeedFiles({});
    ScriptedUi german;
    Run(german);
    ASSERT_EQ(german.ContextMenu().size(), 5u);
    EXPECT_EQ(german.ContextMenu()[0].text, u"Bericht anzeigen");
    EXPECT_EQ(german.ContextMenu()[1].text, u"Als CSV exportieren");
    EXPECT_EQ(german.ContextMenu()[2].text, u"Als Kalender exportieren");
    EXPECT_EQ(german.ContextMenu()[3].text, u"Importieren\u2026");
    EXPECT_EQ(german.ContextMenu()[4].text, u"Letzte Woche wiederholen");
    EXPECT_EQ(MenuItemNamed("calendar"), 2) << "the third item raises the calendar export";

    fs::create_directory("lang");
    fs::copy_file(VELMORA_DEFAULT_FOLDER "/lang/English.txt", "lang/English.txt");
    ScriptedUi english;
    Run(english);
    ASSERT_EQ(english.ContextMenu().size(), 5u);
    EXPECT_EQ(english.ContextMenu()[0].text, u"Show report");
    EXPECT_EQ(english.ContextMenu()[1].text, u"Export as CSV");
    EXPECT_EQ(english.ContextMenu()[2].text, u"Export as calendar");
    EXPECT_EQ(english.ContextMenu()[3].text, u"Import\u2026");
    EXPECT_EQ(english.ContextMenu()[4].text, u"Repeat last week");
}

TEST_F(ExportSession, AFileThatCannotBeWrittenIsReportedAndNothingIsOpened) {
    SeedFiles({u"Plank|3|60|hold"});
    struct Row {
        const char* name;
        std::function<void()> block;
        std::u16string text;
    };
    const Row rows[] = {
        {"a file where the folder would go",
         [] { test::WriteFileBytes("reports", std::string_view("mine")); },
         u"Die Datei reports/training.csv konnte nicht geschrieben werden."},
        {"a folder where the file would go", [] { fs::create_directories("reports/training.csv"); },
         u"Die Datei reports/training.csv konnte nicht geschrieben werden."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all("reports");
        row.block();
        ScriptedUi ui;
        ui.QueueMenu(std::size_t(MenuItemNamed("csv")));
        ui.QueueMenu(std::size_t(MenuItemNamed("csv")));
        Run(ui);
        EXPECT_EQ(MessageTexts(ui), (std::vector<std::u16string>{row.text, row.text}))
            << "not fatal: the program goes on";
        EXPECT_TRUE(ui.openedFiles.empty());
    }
}

// Trained on Monday 23 and Monday 30 December 2024, each day saved, then exported on
// Thursday 2 January 2025: 1 January lies in the newest week, so no week was added, and the
// day the history last changed puts both weeks in 2024, not a year ahead.
TEST_F(ExportSession, ExportsInTheFirstDaysOfJanuaryDateLastDecember) {
    SeedFiles({u"Plank|3|60|hold"}, {});
    for (int day : {23, 30}) {
        SCOPED_TRACE(day);
        SetClock([day] { return DateOf(2024, 12, day); });
        ScriptedUi ui;
        ui.QueueClick(AddEntryButton);
        ui.QueueClick(SaveButton);
        Run(ui);
        EXPECT_TRUE(ui.messages.empty());
        ASSERT_TRUE(test::SetFileDay("units/history.txt", 2024, 12, day));
    }
    SetClock([] { return DateOf(2025, 1, 2); });
    ScriptedUi ui;
    for (const char* item : {"csv", "calendar", "report"})
        ui.QueueMenu(std::size_t(MenuItemNamed(item)));
    Run(ui);
    EXPECT_TRUE(ui.messages.empty());
    const std::string csv = FileText("reports/training.csv");
    EXPECT_NE(csv.find("\r\n358,2024-12-23,2024-12-23,Montag,Plank,3,60,hold\r\n365,2024-12-30,"
                       "2024-12-30,Montag,Plank,3,60,hold\r\n"),
              std::string::npos)
        << csv;
    const std::string ics = FileText("reports/training.ics");
    for (const char* line : {"UID:velmora-20241223@velmora", "DTSTART;VALUE=DATE:20241223",
                             "UID:velmora-20241230@velmora", "DTSTART;VALUE=DATE:20241230"})
        EXPECT_NE(ics.find(line), std::string::npos) << line;
    const std::string html = FileText("reports/report.html");
    EXPECT_NE(html.find("2024-12-30"), std::string::npos);
    EXPECT_EQ(csv.find("2025-12"), std::string::npos) << "no week a year ahead";
    EXPECT_EQ(html.find("2025-12"), std::string::npos);
    EXPECT_EQ(ics.find("202512"), std::string::npos);
}

}  // namespace
