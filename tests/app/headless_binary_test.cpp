// SPDX-License-Identifier: GPL-3.0-or-later
// The real velmora-headless binary over a pipe, on the real clock: a scripted session saved,
// an unknown command, a missing picture, a folder in use, the import and the exports' files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "app/app_test_support.h"
#include "app/headless_protocol.h"
#include "calendar/week_calendar.h"
#include "platform/clock.h"
#include "text/text_table.h"

namespace {

using apptest::HistoryLines;
using test::LineFileBytes;
using test::ReadFileBytes;

// Runs the real binary in the current directory with the given standard input.
struct BinaryRun {
    int status = -1;
    std::vector<std::string> lines;
};

BinaryRun RunHeadlessBinary(const std::string& input) {
    test::WriteFileBytes("commands.txt", input);
    std::string command = std::string("'") + VELMORA_HEADLESS_PATH + "' < commands.txt";
    BinaryRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::string text;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, got);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        run.lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return run;
}

// The binary runs on the real clock: the expectations follow today's date.
class AppHeadlessBinary : public ::testing::Test {
  protected:
    AppHeadlessBinary() {
        std::filesystem::create_directories("units");
        apptest::WriteMediaPictures();
        apptest::WriteIni();
    }
    test::TempWorkingDirectory directory;
};

TEST_F(AppHeadlessBinary, ScriptedSessionAnswersInJsonAndSaves) {
    WholeNumber week = CurrentWeekNumber();
    WholeNumber day = TodayDayIndex();
    apptest::WriteUnits({u"Plank|3|60|hold"});
    apptest::WriteHistory({{week, {}}});
    std::u16string title =
        u"Velmora - " + LookupText(BuildTextTable(), u"Days", TodayDayKey()) + u" - 0.1";

    // CR LF line ends, UTF-8 text, trailing blanks kept, end of input instead of close.
    BinaryRun run = RunHeadlessBinary(
        "dump\r\ntext 8 \xC3\x9C"
        "bung  \r\ntext 9 kurz\r\nclick 3\r\nclick 2\r\n"
        "click 42\r\nclick 16\r\n");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 4u);
    EXPECT_EQ(run.lines[0].rfind("{\"title\":" + JsonString(title) + ",\"wordBits\":" +
                                     std::to_string(sizeof(void*) * 8) + ",\"controls\":[",
                                 0),
              0u)
        << run.lines[0];
    EXPECT_EQ(run.lines[1], "{\"pause\":{\"ms\":100,\"saveButton\":\"Speichern\"}}");
    EXPECT_EQ(run.lines[2], "{\"error\":\"unknown control id: 42\"}");
    EXPECT_EQ(run.lines[3], "{\"pause\":{\"ms\":1000,\"saveButton\":\"Gespeichert!\"}}");
    EXPECT_EQ(ReadFileBytes("units/units.txt"),
              LineFileBytes({u"Plank|3|60|hold", u"Übung  |1|15|kurz"}));
    std::vector<std::u16string> days(7);
    days[std::size_t(day)] = u"Übung  |1|15|kurz";
    EXPECT_EQ(ReadFileBytes("units/history.txt"), LineFileBytes(HistoryLines({{week, days}})));
}

TEST_F(AppHeadlessBinary, UnknownCommandIsReportedAndTheLoopGoesOn) {
    apptest::WriteUnits({});
    apptest::WriteHistory({{CurrentWeekNumber(), {}}});
    BinaryRun run = RunHeadlessBinary("jump 3\nclick 2\nclose\nclick 2\n");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[0], "{\"error\":\"unknown command: jump\"}");
    EXPECT_EQ(run.lines[1],
              "{\"message\":{\"title\":\"Fehler\",\"text\":\"Es ist keine Trainigseinheit "
              "vorhanden!\",\"fatal\":false}}");
}

TEST_F(AppHeadlessBinary, MissingPictureGivesOneFatalMessageAndStatusZero) {
    apptest::WriteUnits({});
    apptest::WriteHistory({{CurrentWeekNumber(), {}}});
    std::filesystem::remove("media/BigImage.png");
    BinaryRun run = RunHeadlessBinary("dump\n");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(run.lines[0],
              "{\"message\":{\"title\":\"Fehler\",\"text\":\"Das Bild media/BigImage.png wurde "
              "nicht gefunden!\",\"fatal\":true}}");
}

}  // namespace

namespace {

TEST_F(AppHeadlessBinary, SecondDriverOnAFolderInUseGetsTheRunningMessage) {
    apptest::WriteUnits({});
    apptest::WriteHistory({{CurrentWeekNumber(), {}}});
    // The first driver waits for its next command, its folder lock held, while the second
    // one starts in the same folder.
    const std::string command = std::string("'") + VELMORA_HEADLESS_PATH + "' > first.txt";
    FILE* first = popen(command.c_str(), "w");
    ASSERT_NE(first, nullptr);
    std::fputs("dump\n", first);
    std::fflush(first);
    // The first answer means the first driver has its window, and so its lock.
    const auto answered = [] {
        std::error_code missing;
        const std::uintmax_t size = std::filesystem::file_size("first.txt", missing);
        return !missing && size > 0;
    };
    for (int wait = 0; wait < 500 && !answered(); ++wait) usleep(10000);
    ASSERT_TRUE(answered());
    BinaryRun second = RunHeadlessBinary("dump\nclose\n");
    std::fputs("close\n", first);
    EXPECT_EQ(WEXITSTATUS(pclose(first)), 0);
    EXPECT_EQ(second.status, 0);
    ASSERT_EQ(second.lines.size(), 1u) << "no window, so nothing to dump";
    EXPECT_EQ(second.lines[0],
              "{\"message\":{\"title\":\"Fehler\",\"text\":\"Velmora l\xC3\xA4uft in diesem "
              "Ordner bereits. Bitte verwende das offene Fenster.\",\"fatal\":true}}");
    // With the first driver gone, the folder is free again.
    EXPECT_EQ(RunHeadlessBinary("close\n").lines.size(), 0u);
}

}  // namespace

namespace {

TEST_F(AppHeadlessBinary, MenuImportReadsTheFileAndTheBoxSaysWhatCameIn) {
    apptest::WriteUnits({});
    apptest::WriteHistory({{CurrentWeekNumber(), {}}});
    const std::filesystem::path file = std::filesystem::current_path() / "my strong.csv";
    const CivilDate monday = CivilDateOfDayNumber(LocalDayNumber(Today()) - TodayDayIndex());
    test::WriteFileBytes(file, "Date,Exercise Name,Set Order,Weight,Reps\n" + IsoDate(monday) +
                                   " 18:00:00,Bench,1,80,10\n");
    BinaryRun run = RunHeadlessBinary("menu repeat\nmenu import " + file.string() +
                                      "\nmenu import\nclick 16\nclose\n");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 3u);
    EXPECT_EQ(run.lines[0], "{\"disabled\":\"repeat\"}");
    EXPECT_EQ(run.lines[1],
              "{\"message\":{\"title\":\"Import\",\"text\":\"Importierte Eintr\xC3\xA4ge: 1\\u000A"
              "Tage mit neuen Eintr\xC3\xA4gen: 1\\u000ANeue Trainingseinheiten: 1\\u000A"
              "\xC3\x9C"
              "bersprungene Zeilen: 0\",\"fatal\":false}}");
    EXPECT_EQ(run.lines[2], "{\"pause\":{\"ms\":1000,\"saveButton\":\"Gespeichert!\"}}")
        << "the cancelled dialog says nothing";
    EXPECT_EQ(test::ReadFileBytes("units/history.txt"),
              LineFileBytes(HistoryLines({{CurrentWeekNumber(), {u"Bench|1|10|80"}}})));
}

TEST_F(AppHeadlessBinary, MenuItemsWriteTheirFilesAndSayWhichWouldBeOpened) {
    apptest::WriteUnits({u"Plank|3|60|hold"});
    apptest::WriteHistory({{CurrentWeekNumber(), {}}});
    BinaryRun run = RunHeadlessBinary("click 2\nmenu report\nmenu csv\nmenu calendar\nclose\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.lines, (std::vector<std::string>{"{\"opened\":\"reports/report.html\"}",
                                                   "{\"opened\":\"reports/training.csv\"}",
                                                   "{\"opened\":\"reports/training.ics\"}"}));
    for (const char* file : {"reports/report.html", "reports/training.csv", "reports/training.ics"})
        EXPECT_GT(std::filesystem::file_size(file), 100u) << file;
    const test::Bytes csv = test::ReadFileBytes("reports/training.csv");
    EXPECT_NE(std::string(csv.begin(), csv.end()).find(",Plank,3,60,hold\r\n"), std::string::npos)
        << "the entry added before the export, not saved";
}

}  // namespace
