// A test fixture for the data and calendar tests: a fresh working directory with a
// "units" folder, the built-in texts, a scripted back end that records message boxes,
// empty data lists, no armed file fault and the system clock restored afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/scripted_ui.h"
#include "calendar/clock.h"
#include "data/os_file.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"
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
        SetCurrentUi(&ui);
        BuildTextTable(u"");
        UnitCatalogue.clear();
        WeekHistory.clear();
        SelectedWeek = 0;
        UnitFileUnreadable = false;
        HistoryFileUnreadable = false;
        FillDayKeys();
        InjectedFileFaults = {};
        std::filesystem::create_directory("units");
    }
    void TearDown() override {
        SetClock({});
        InjectedFileFaults = {};
        SetCurrentUi(nullptr);
    }

    // Fixes today's date for every clock reading of the test.
    static void SetToday(int year, int month, int day) {
        LocalDate date = DateOf(year, month, day);
        SetClock([date] { return date; });
    }

    // The box the program shows for an Errors key with the path in place of "{replace}".
    static RecordedMessage ErrorBox(const char16_t* key, const std::u16string& path) {
        return {LookupText(u"Errors", u"Title"),
                SubstitutePlaceholders(LookupText(u"Errors", key), path, u""), false};
    }

    void ExpectOnlyMessage(const char16_t* key, const std::u16string& path) {
        ASSERT_EQ(ui.messages.size(), 1u);
        RecordedMessage expected = ErrorBox(key, path);
        EXPECT_EQ(ToUtf8(ui.messages[0].title), ToUtf8(expected.title));
        EXPECT_EQ(ToUtf8(ui.messages[0].text), ToUtf8(expected.text));
        EXPECT_NE(ui.messages[0].text.find(path), std::u16string::npos);
        EXPECT_FALSE(ui.messages[0].fatal);
    }

    TempWorkingDirectory directory;
    ScriptedUi ui;
};

}  // namespace test
