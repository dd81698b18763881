// SPDX-License-Identifier: GPL-3.0-or-later
// A test fixture for the data and calendar tests: a fresh working directory with a
// "units" folder, the built-in texts, a fresh document, the reports of its loads and saves,
// no armed file fault and the system clock restored afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "calendar/week_calendar.h"
#include "data/document.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"
#include "platform/clock.h"
#include "platform/os_file_faults.h"
#include "test_support.h"
#include "text/messages.h"
#include "text/text_table.h"

namespace test {

// The bytes behind the UTF-16 little-endian byte order mark FF FE.
inline Bytes WithByteOrderMark(const Bytes& body) {
    Bytes bytes;
    bytes.reserve(body.size() + 2);
    bytes.push_back(0xFF);
    bytes.push_back(0xFE);
    for (std::uint8_t byte : body) bytes.push_back(byte);
    return bytes;
}

class DataTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InjectedFileFaults = {};
        std::filesystem::create_directory("units");
    }
    void TearDown() override {
        SetClock({});
        InjectedFileFaults = {};
    }

    // Fixes today's date for every clock reading of the test.
    static void SetToday(int year, int month, int day) {
        LocalDate date = DateOf(year, month, day);
        SetClock([date] { return date; });
    }

    // Keeps what a load or save reported; true when it reported nothing.
    bool Kept(const Report& report) {
        if (!report.ok()) reports.push_back(report);
        return report.ok();
    }
    bool Kept(const SaveOutcome& outcome) {
        Kept(outcome.backup);
        return Kept(outcome.report);
    }

    // The history load as start-up runs it: the file's weeks, caught up to the current week.
    bool LoadHistory() { return Kept(LoadHistoryUpToToday(doc)); }

    // The only report is that of this Errors key and path, and its box names the path.
    void ExpectOnlyMessage(const char16_t* key, const std::u16string& path) {
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(ToUtf8(reports[0].key), ToUtf8(key));
        EXPECT_EQ(ToUtf8(reports[0].file), ToUtf8(path));
        EXPECT_FALSE(reports[0].fatal);
        const BoxText box = ErrorBoxText(texts, reports[0].key, reports[0].file);
        EXPECT_EQ(ToUtf8(box.title), "Fehler");
        EXPECT_NE(box.text.find(path), std::u16string::npos);
    }

    TempWorkingDirectory directory;
    TextTable texts = BuildTextTable();
    Document doc;
    std::vector<Report> reports;
};

}  // namespace test
