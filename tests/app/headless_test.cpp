// SPDX-License-Identifier: GPL-3.0-or-later
// The headless driver: its command parser (accepted and broken lines, key presses through the
// focus rule, clipboard texts as JSON literals), JSON escaping and sessions through the
// protocol in-process; the real binary is headless_binary_test.cpp's.
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>

#include "app/app_test_support.h"
#include "app/control_ids.h"
#include "app/headless_protocol.h"
#include "app/main_window.h"
#include "calendar/week_calendar.h"
#include "platform/clock.h"
#include "text/text_table.h"

namespace {

using apptest::HistoryLines;
using test::LineFileBytes;
using test::ReadFileBytes;

// The twenty controls as the build creates them, without running the program.
void CreateAllControls(ScriptedUi& ui) {
    for (const ControlSpec& spec : MainWindowControls) {
        ui.CreateControl(spec.id, spec.kind, spec.parent, spec.x, spec.y, spec.width, spec.height,
                         u"", spec.alignment);
    }
    for (const char16_t* row : {u"a", u"b", u"c"}) {
        ui.AddItem(WeekCombo, row);
        ui.AddItem(EntryList, row);
    }
}

TEST(AppHeadlessProtocol, AcceptedLines) {
    struct Case {
        const char* line;
        HeadlessCommand::Kind kind;
        int id;                // the event's control for steps
        const char16_t* text;  // the text of control `id` after the step, if any
        std::intptr_t selected;
    };
    using K = HeadlessCommand::Kind;
    const Case cases[] = {
        {"click 2", K::Step, AddEntryButton, nullptr, -1},
        {"click 0", K::Step, PlanPanel, nullptr, -1},
        {"  click\t16 ", K::Step, SaveButton, nullptr, -1},
        {"text 8 Laufen", K::Step, NameField, u"Laufen", -1},
        {"text 8", K::Step, NameField, u"", -1},
        {"text 8 ", K::Step, NameField, u"", -1},
        {"text 8  two  blanks  ", K::Step, NameField, u" two  blanks  ", -1},
        {"text 9 \xC3\x9C"
         "bung | 1",
         K::Step, DescriptionField, u"Übung | 1", -1},
        {"select 11 2", K::Step, WeekCombo, nullptr, 2},
        {"select 11 -1", K::Step, WeekCombo, nullptr, -1},
        {"select 11 3", K::Step, WeekCombo, nullptr, -1},
        {"select 10 1", K::Step, EntryList, nullptr, 1},
        {"dump", K::Dump, -1, nullptr, -1},
        {"close", K::Close, -1, nullptr, -1},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.line);
        ScriptedUi ui;
        CreateAllControls(ui);
        ui.Control(WeekCombo).selected = 0;
        HeadlessCommand command = ParseHeadlessCommand(row.line, ui);
        ASSERT_EQ(command.kind, row.kind) << command.error;
        if (row.kind != K::Step) continue;
        EXPECT_EQ(command.step.event.kind, UiEvent::Kind::Control);
        EXPECT_EQ(command.step.event.controlId, row.id);
        if (command.step.apply) command.step.apply(ui);
        if (row.text != nullptr) {
            EXPECT_EQ(ui.Control(row.id).text, row.text);
        }
        if (row.id == WeekCombo || row.id == EntryList) {
            EXPECT_EQ(ui.Control(row.id).selected, row.selected);
        }
    }
}

TEST(AppHeadlessProtocol, ActivateIsTheWindowsReturnAndNoControlEvent) {
    ScriptedUi ui;
    CreateAllControls(ui);
    const HeadlessCommand command = ParseHeadlessCommand("activate", ui);
    ASSERT_EQ(command.kind, HeadlessCommand::Kind::Step) << command.error;
    EXPECT_EQ(command.step.event.kind, UiEvent::Kind::Activated);
    EXPECT_FALSE(command.step.apply);
}

TEST(AppHeadlessProtocol, BrokenLinesGiveAnError) {
    struct Case {
        const char* name;
        const char* line;
        const char* error;
    };
    const Case cases[] = {
        {"empty", "", "empty line"},
        {"blanks only", "   ", "empty line"},
        {"unknown command", "hello 1", "unknown command: hello"},
        {"capital command", "CLICK 2", "unknown command: CLICK"},
        {"click without id", "click", "usage: click ID"},
        {"click with two ids", "click 2 3", "usage: click ID"},
        {"click letters", "click x", "malformed control id: x"},
        {"click unknown id", "click 20", "unknown control id: 20"},
        {"click negative id", "click -1", "unknown control id: -1"},
        {"click huge id", "click 99999999999999999999",
         "malformed control id: 99999999999999999999"},
        {"text alone", "text", "usage: text ID [TEXT]"},
        {"text of a button", "text 2 hi", "not an input: 2"},
        {"text of unknown id", "text 77 hi", "unknown control id: 77"},
        {"text with two blanks before id", "text  8 hi", "malformed control id: "},
        {"select of a button", "select 2 0", "not a list: 2"},
        {"select without index", "select 11", "usage: select ID INDEX"},
        {"select letters", "select 11 a", "malformed index: a"},
        {"select with a sign only", "select 11 -", "malformed index: -"},
        {"select too many", "select 11 1 2", "usage: select ID INDEX"},
        {"dump with argument", "dump all", "dump takes no arguments"},
        {"close with argument", "close now", "close takes no arguments"},
        {"activate with argument", "activate 1", "activate takes no arguments"},
        {"key alone", "key", "usage: key ID KEYS"},
        {"key without keys", "key 10", "usage: key ID KEYS"},
        {"key not offered", "key 10 ctrl+q", "unknown keys: ctrl+q"},
        {"key in capitals", "key 10 CTRL+C", "unknown keys: CTRL+C"},
        {"key with shift and delete", "key 10 shift+delete", "unknown keys: shift+delete"},
        {"key of unknown control", "key 99 ctrl+c", "unknown control id: 99"},
        {"key of no control", "key -1 ctrl+v", "unknown control id: -1"},
        {"key with letters as id", "key x ctrl+c", "malformed control id: x"},
        {"menu alone", "menu", "usage: menu report|csv|calendar|import|repeat"},
        {"menu with two items", "menu csv report", "usage: menu report|csv|calendar|import|repeat"},
        {"menu item not offered", "menu print", "unknown menu item: print"},
        {"menu item in capitals", "menu CSV", "unknown menu item: CSV"},
        {"clipboard alone", "clipboard", "usage: clipboard TEXT"},
        {"clipboard with blanks only", "clipboard   ", "usage: clipboard TEXT"},
        {"clipboard after a blank", " clipboard \"x\"", "usage: clipboard TEXT"},
        {"clipboard without quotes", "clipboard abc",
         "malformed clipboard text: a JSON string must start with a quote"},
        {"clipboard unterminated", "clipboard \"abc",
         "malformed clipboard text: unterminated JSON string"},
        {"clipboard ending in a backslash", "clipboard \"abc\\",
         "malformed clipboard text: unterminated JSON string"},
        {"clipboard with text after it", "clipboard \"a\" b",
         "malformed clipboard text: text after the closing quote"},
        {"clipboard unknown escape", "clipboard \"\\x41\"",
         "malformed clipboard text: unknown escape \\x in a JSON string"},
        {"clipboard short unicode escape", "clipboard \"\\u12\"",
         "malformed clipboard text: \\u needs four hexadecimal digits"},
        {"clipboard non-hex unicode escape", "clipboard \"\\u12G4\"",
         "malformed clipboard text: \\u needs four hexadecimal digits"},
        {"clipboard raw tab", "clipboard \"a\tb\"",
         "malformed clipboard text: control character in a JSON string"},
        {"clipboard invalid UTF-8", "clipboard \"\xC3(\"",
         "malformed clipboard text: invalid UTF-8 in a JSON string"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        ScriptedUi ui;
        CreateAllControls(ui);
        HeadlessCommand command = ParseHeadlessCommand(row.line, ui);
        EXPECT_EQ(command.kind, HeadlessCommand::Kind::Error);
        EXPECT_EQ(command.error, row.error);
    }
}

TEST(AppHeadlessProtocol, KeyAndMenuLinesGoThroughTheFocusRule) {
    struct Case {
        const char* line;
        UiEvent::Kind kind;  // Other: the key stays the control's own
        UserCommand command;
        int focus;
        std::size_t menuItem = 0;
    };
    using K = UiEvent::Kind;
    const Case cases[] = {
        {"key 10 ctrl+c", K::Command, UserCommand::Copy, EntryList},
        {"key 10 delete", K::Command, UserCommand::Delete, EntryList},
        {"key 11 ctrl+v", K::Command, UserCommand::Paste, WeekCombo},
        {"key 12 ctrl+shift+z", K::Command, UserCommand::Redo, DayCombo},
        {"key 2 ctrl+y", K::Command, UserCommand::Redo, AddEntryButton},
        {"key 0 ctrl+z", K::Command, UserCommand::Undo, PlanPanel},
        {"key 8 ctrl+s", K::Command, UserCommand::Save, NameField},
        {"key 8 ctrl+c", K::Other, UserCommand::None, -1},
        {"key 9 ctrl+z", K::Other, UserCommand::None, -1},
        {"key 8 delete", K::Other, UserCommand::None, -1},
        {"key 16 delete", K::Other, UserCommand::None, -1},
        {"menu report", K::MenuChoice, UserCommand::None, -1, 0},
        {"menu csv", K::MenuChoice, UserCommand::None, -1, 1},
        {"menu  calendar", K::MenuChoice, UserCommand::None, -1, 2},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.line);
        ScriptedUi ui;
        CreateAllControls(ui);
        HeadlessCommand command = ParseHeadlessCommand(row.line, ui);
        ASSERT_EQ(command.kind, HeadlessCommand::Kind::Step) << command.error;
        EXPECT_EQ(command.step.event.kind, row.kind);
        EXPECT_EQ(command.step.event.command, row.command);
        EXPECT_EQ(command.step.event.controlId, row.focus);
        EXPECT_EQ(command.step.event.menuItem, row.menuItem);
        EXPECT_FALSE(command.step.apply) << "a key or menu item changes no control by itself";
    }
}

TEST(AppHeadlessProtocol, MenuImportAnswersTheDialogAndGreyedItemsAreRefused) {
    struct Case {
        const char* line;
        HeadlessCommand::Kind kind;
        std::optional<std::u16string> answer;  // for steps: what the file dialog is told
        std::string output;                    // the error or the answer printed
    };
    using K = HeadlessCommand::Kind;
    const Case cases[] = {
        {"menu import /tmp/my training.csv", K::Step, u"/tmp/my training.csv", ""},
        {"menu import  two blanks.csv", K::Step, u" two blanks.csv", ""},
        {"menu import \xC3\x9C"
         "bung.csv",
         K::Step, u"\u00DCbung.csv", ""},
        {"menu import", K::Step, std::nullopt, ""},
        {"menu repeat", K::Answer, std::nullopt, "{\"disabled\":\"repeat\"}"},
        {"menu repeat now", K::Error, std::nullopt,
         "usage: menu report|csv|calendar|import|repeat"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.line);
        ScriptedUi ui;
        CreateAllControls(ui);
        ui.SetContextMenu(std::vector<MenuItem>(5));
        ui.SetMenuItemEnabled(4, false);
        HeadlessCommand command = ParseHeadlessCommand(row.line, ui);
        ASSERT_EQ(command.kind, row.kind) << command.error;
        if (row.kind == K::Error) {
            EXPECT_EQ(command.error, row.output);
        }
        if (row.kind == K::Answer) {
            EXPECT_EQ(command.answer, row.output);
        }
        if (row.kind != K::Step) continue;
        EXPECT_EQ(command.step.event.kind, UiEvent::Kind::MenuChoice);
        EXPECT_EQ(command.step.event.menuItem, 3u);
        ASSERT_TRUE(command.step.apply);
        command.step.apply(ui);
        ASSERT_EQ(ui.fileAnswers.size(), 1u);
        EXPECT_EQ(ui.fileAnswers.front(), row.answer);
    }
}

TEST(AppHeadlessProtocol, ClipboardLinesTakeAJsonStringLiteral) {
    struct Case {
        const char* name;
        const char* line;
        std::u16string text;
    };
    const Case cases[] = {
        {"plain", "clipboard \"A|1|2|x\"", u"A|1|2|x"},
        {"empty", "clipboard \"\"", u""},
        {"blanks around the literal", "clipboard  \t\"x y\"  ", u"x y"},
        {"line ends", "clipboard \"a\\nb\\r\\n\"", u"a\nb\r\n"},
        {"every short escape", "clipboard \"\\\"\\\\\\/\\b\\f\\t\"", u"\"\\/\b\f\t"},
        {"unicode escape in small letters", "clipboard \"\\u00fcbung\"", u"übung"},
        {"unicode escape in capitals", "clipboard \"\\u00DC\"", u"Ü"},
        {"surrogate pair as two escapes", "clipboard \"\\uD83D\\uDE00\"", u"\U0001F600"},
        {"raw UTF-8 with a four-byte character", "clipboard \"\xC3\x9C \xF0\x9F\x98\x80\"",
         u"Ü \U0001F600"},
        {"escaped NUL", "clipboard \"a\\u0000b\"", std::u16string(u"a\0b", 3)},
        {"lone low surrogate kept as a code unit", "clipboard \"\\uDC00\"",
         std::u16string(1, char16_t(0xDC00))},
        {"tab as a separator", "clipboard\t\"x\"", u"x"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        ScriptedUi ui;
        CreateAllControls(ui);
        ui.clipboard = u"before";
        HeadlessCommand command = ParseHeadlessCommand(row.line, ui);
        ASSERT_EQ(command.kind, HeadlessCommand::Kind::Step) << command.error;
        EXPECT_EQ(command.step.event.kind, UiEvent::Kind::Other) << "no event of the window";
        ASSERT_TRUE(command.step.apply);
        command.step.apply(ui);
        EXPECT_EQ(ui.clipboard, row.text);
    }
}

TEST(AppHeadlessProtocol, JsonStringsAreEscaped) {
    struct Case {
        const char* name;
        std::u16string text;
        std::string json;
    };
    const Case cases[] = {
        {"plain", u"Speichern", "\"Speichern\""},
        {"quote and backslash", u"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"line feed and tab", u"a\nb\tc", "\"a\\u000Ab\\u0009c\""},
        {"nul and unit separator", std::u16string(u"\0\x1F", 2), "\"\\u0000\\u001F\""},
        {"umlaut", u"ä", "\"\xC3\xA4\""},
        {"euro sign", u"€", "\"\xE2\x82\xAC\""},
        {"surrogate pair", u"\U0001F600", "\"\xF0\x9F\x98\x80\""},
        {"lone high surrogate", std::u16string(1, char16_t(0xD800)), "\"\\uD800\""},
        {"lone low surrogate then text", std::u16string{char16_t(0xDC01), u'x'}, "\"\\uDC01x\""},
        {"delete stays", u"\x7F", "\"\x7F\""},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(JsonString(row.text), row.json);
    }
    EXPECT_EQ(ErrorJson("bad \"x\"\n"), "{\"error\":\"bad \\\"x\\\"\\u000A\"}");
    EXPECT_EQ(MessageJson({u"T", u"a\\b", true}),
              "{\"message\":{\"title\":\"T\",\"text\":\"a\\\\b\",\"fatal\":true}}");
    EXPECT_EQ(PauseJson(1000, u"Gespeichert!"),
              "{\"pause\":{\"ms\":1000,\"saveButton\":\"Gespeichert!\"}}");
}

class AppHeadlessSession : public apptest::SessionTest {
  protected:
    // Runs the program with the driver reading these lines; what it wrote, line by line.
    std::vector<std::string> Drive(std::deque<std::string>& input) {
        std::vector<std::string> output;
        ScriptedUi ui;
        ConnectHeadlessDriver(
            ui,
            [&input](std::string& line) {
                if (input.empty()) return false;
                line = input.front();
                input.pop_front();
                return true;
            },
            [&output](const std::string& json) { output.push_back(json); });
        Run(ui);
        return output;
    }
};

TEST_F(AppHeadlessSession, DumpShowsTheColoursTheThemeSettingChose) {
    apptest::WriteUnits({});
    apptest::WriteHistory({{8, {}}});
    struct Row {
        const char* name;
        const char* theme;
        const char* shown;
    };
    // The driver's desktop prefers light, so System shows light.
    const Row rows[] = {{"Dark", "Theme = Dark\r\n", "dark"},
                        {"Light", "Theme = Light\r\n", "light"},
                        {"no Theme", "", "light"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test::WriteFileBytes("ini.ini",
                             std::string("Version = 0.1\r\nLanguage = English\r\n") + row.theme);
        std::deque<std::string> input = {"dump"};
        const std::vector<std::string> output = Drive(input);
        ASSERT_EQ(output.size(), 1u);
        EXPECT_TRUE(output[0].ends_with(std::string(",\"theme\":\"") + row.shown + "\"}"))
            << output[0];
    }
}

TEST_F(AppHeadlessSession, ProtocolDrivesAWholeSession) {
    apptest::WriteIni();
    apptest::WriteUnits({});
    apptest::WriteHistory({{8, {}}});
    std::deque<std::string> input = {
        "text 8 Laufen", "text 9 Intervall", "click 3", "click 2", "bogus",
        "dump",          "click 16",         "close",   "click 16"};
    const std::vector<std::string> output = Drive(input);
    EXPECT_EQ(input.size(), 1u) << "nothing is read after close";
    ASSERT_EQ(output.size(), 4u);
    EXPECT_EQ(output[0], "{\"pause\":{\"ms\":100,\"saveButton\":\"Speichern\"}}");
    EXPECT_EQ(output[1], "{\"error\":\"unknown command: bogus\"}");
    const std::string& dump = output[2];
    std::string wordBits = std::to_string(sizeof(void*) * 8);
    EXPECT_EQ(dump.rfind("{\"title\":\"Velmora - Mittwoch - 0.1\",\"wordBits\":" + wordBits +
                             ",\"controls\":[{\"id\":0,\"name\":\"PlanPanel\"",
                         0),
              0u)
        << dump;
    EXPECT_NE(
        dump.find(
            "{\"id\":10,\"name\":\"EntryList\",\"kind\":\"ReportList\",\"parent\":0,"
            "\"x\":9,\"y\":39,\"width\":210,\"height\":140,\"text\":\"\","
            "\"enabled\":true,\"items\":[[\"Laufen\",\"1 - 15\",\"Intervall\"]],"
            "\"selected\":-1,\"accessibleName\":\"Eintr\xC3\xA4ge des Tages\","
            "\"accessibleDescription\":\"\",\"columns\":[{\"header\":\"Einheit\",\"width\":100},"
            "{\"header\":\"Anzahl\",\"width\":50},{\"header\":\"Mehr\",\"width\":56}]}"),
        std::string::npos)
        << dump;
    EXPECT_NE(dump.find("{\"id\":4,\"name\":\"UnitCombo\",\"kind\":\"DropDownList\",\"parent\":1,"
                        "\"x\":169,\"y\":9,\"width\":220,\"height\":20,"
                        "\"text\":\"Laufen: 1-15 | Intervall\",\"enabled\":true,"
                        "\"items\":[\"Laufen: 1-15 | Intervall\"],\"selected\":0,"
                        "\"accessibleName\":\"Trainingseinheit\",\"accessibleDescription\":\"\"}"),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("{\"id\":6,\"name\":\"Count1Field\",\"kind\":\"Input\",\"parent\":1,"
                        "\"x\":79,\"y\":69,\"width\":20,\"height\":20,\"text\":\"\","
                        "\"enabled\":false,\"items\":[],\"selected\":-1,"
                        "\"accessibleName\":\"Anzahl:\",\"accessibleDescription\":\"\"}"),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("\"name\":\"BigPicture\",\"kind\":\"Picture\",\"parent\":1,\"x\":169,"
                        "\"y\":99,\"width\":220,\"height\":80,\"text\":\"\",\"enabled\":true,"
                        "\"items\":[],\"selected\":-1,\"accessibleName\":\"Gro\xC3\x9F"
                        "es Bild\","
                        "\"accessibleDescription\":\"Du kannst das Bild BigImage.png im Ordner "
                        "'media' \xC3\xA4ndern!\",\"tooltip\":\"Du kannst das Bild "
                        "BigImage.png im Ordner 'media' \xC3\xA4ndern!\",\"picture\":{\"width\":"
                        "220,\"height\":80,\"bitsPerPixel\":32}}"),
              std::string::npos)
        << dump;
    EXPECT_EQ(output[3], "{\"pause\":{\"ms\":1000,\"saveButton\":\"Gespeichert!\"}}");
    EXPECT_EQ(ReadFileBytes("units/units.txt"), LineFileBytes({u"Laufen|1|15|Intervall"}));
}

TEST_F(AppHeadlessSession, KeysAndClipboardDriveAnEditingSession) {
    SeedFiles({u"Plank|3|60|hold"}, {{8, {u"", u"", u"W|2|2|w"}}});
    std::deque<std::string> input = {"clipboard \"A|$1F|2|x\\r\\nB|3|4|y\"",
                                     "key 8 ctrl+v",
                                     "key 10 ctrl+v",
                                     "select 10 0",
                                     "key 10 ctrl+x",
                                     "key 10 ctrl+q",
                                     "dump",
                                     "key 9 ctrl+z",
                                     "key 11 ctrl+z",
                                     "key 8 ctrl+s",
                                     "clipboard \"\\\\\"",
                                     "key 16 ctrl+v"};
    const std::vector<std::string> output = Drive(input);
    ASSERT_EQ(output.size(), 4u);
    EXPECT_EQ(output[0], "{\"error\":\"unknown keys: ctrl+q\"}");
    const std::string& dump = output[1];
    EXPECT_NE(dump.find("\"name\":\"EntryList\",\"kind\":\"ReportList\",\"parent\":0,\"x\":9,"
                        "\"y\":39,\"width\":210,\"height\":140,\"text\":\"\",\"enabled\":true,"
                        "\"items\":[[\"A\",\"31 - 2\",\"x\"],[\"B\",\"3 - 4\",\"y\"]],"
                        "\"selected\":-1,"),
              std::string::npos)
        << dump;
    // The clipboard follows the last control (NameLabel, a label).
    EXPECT_TRUE(dump.ends_with(
        "\"alignment\":\"Right\"}],\"clipboard\":\"W|2|2|w\\u000A\",\"theme\":\"light\"}"))
        << dump;
    EXPECT_EQ(output[2], "{\"pause\":{\"ms\":1000,\"saveButton\":\"Gespeichert!\"}}");
    EXPECT_EQ(output[3],
              "{\"message\":{\"title\":\"Fehler\",\"text\":\"Die Zwischenablage enth\xC3\xA4lt "
              "keine Trainingseinheiten, die eingef\xC3\xBCgt werden k\xC3\xB6nnen.\","
              "\"fatal\":false}}");
    EXPECT_EQ(ReadFileBytes("units/history.txt"),
              LineFileBytes(HistoryLines({{8, {u"", u"", u"W|2|2|w\\A|31|2|x\\B|3|4|y"}}})));
}

}  // namespace
