// SPDX-License-Identifier: GPL-3.0-or-later
// Whole editing sessions on the scripted back end: the key commands (save, delete, undo, redo,
// copy, cut, paste) across weeks and days, with the exact bytes of the data files, the
// clipboard's text, and the window's selections after each step.
#include <gtest/gtest.h>

#include "app/app_test_support.h"
#include "app/control_ids.h"

namespace {

using apptest::HistoryLines;
using apptest::QueueCheck;
using apptest::WeekSeed;
using test::Bytes;
using test::LineFileBytes;
using test::ReadFileBytes;
using Cells = std::vector<std::vector<std::u16string>>;

const std::u16string DeleteButtonText = u"Es muss eine Trainingseinheit ausgewählt sein!";
const std::u16string PasteText =
    u"Die Zwischenablage enthält keine Trainingseinheiten, die eingefügt werden können.";

Bytes HistoryBytes(const std::vector<WeekSeed>& weeks) {
    return LineFileBytes(HistoryLines(weeks));
}

void QueueKeys(ScriptedUi& ui, int id, UserCommand command, int times) {
    for (int i = 0; i < times; ++i) ui.QueueKey(id, command);
}

// n entries of "A|1|2|x" joined as a day text.
std::u16string RepeatedEntry(int n) {
    std::u16string text;
    for (int i = 0; i < n; ++i) text += i == 0 ? u"A|1|2|x" : u"\\A|1|2|x";
    return text;
}

class EditSession : public apptest::SessionTest {};

TEST_F(EditSession, KeysEditAcrossWeeksUndoRedoAndSaveExactFiles) {
    SeedFiles({u"A|1|2|x", u"B|3|4|y"}, {{1, {u"M|1|1|m"}}, {8, {u"", u"", u"W|2|2|w"}}});
    ScriptedUi ui;
    ui.QueueClick(AddEntryButton);  // the last unit, B, into week 8's Wednesday
    ui.QueueSelect(EntryList, 0);
    ui.QueueKey(EntryList, UserCommand::Copy);
    QueueCheck(ui, [](ScriptedUi& current) { EXPECT_EQ(current.clipboard, u"W|2|2|w\n"); });
    ui.QueueSelect(WeekCombo, 0);
    ui.QueueSelect(DayCombo, 0);
    ui.QueueKey(DayCombo, UserCommand::Paste);
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(Rows(current), (Cells{{u"M", u"1 - 1", u"m"}, {u"W", u"2 - 2", u"w"}}));
    });
    ui.QueueSelect(EntryList, 0);
    ui.QueueKey(EntryList, UserCommand::Cut);
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(current.clipboard, u"M|1|1|m\n");
        EXPECT_EQ(Rows(current), (Cells{{u"W", u"2 - 2", u"w"}}));
    });
    ui.QueueKey(NameField, UserCommand::Save);  // Ctrl+S works in an input field too
    QueueCheck(ui, [](ScriptedUi&) {
        EXPECT_EQ(ReadFileBytes("units/history.txt"),
                  HistoryBytes({{1, {u"W|2|2|w"}}, {8, {u"", u"", u"W|2|2|w\\B|3|4|y"}}}));
        EXPECT_EQ(ReadFileBytes("units/units.txt"), LineFileBytes({u"A|1|2|x", u"B|3|4|y"}));
    });
    ui.QueueKey(-1, UserCommand::Undo);  // the cut
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(Rows(current), (Cells{{u"M", u"1 - 1", u"m"}, {u"W", u"2 - 2", u"w"}}));
    });
    ui.QueueKey(-1, UserCommand::Undo);  // the paste
    ui.QueueSelect(DayCombo, 4);
    ui.QueueKey(-1, UserCommand::Undo);  // the add: shows week 8's Wednesday again
    QueueCheck(ui, [this](ScriptedUi& current) {
        EXPECT_EQ(current.Control(WeekCombo).selected, 1);
        EXPECT_EQ(current.Control(DayCombo).selected, 2);
        EXPECT_EQ(program->selection.week, 1);
        EXPECT_EQ(program->selection.day, 2);
        EXPECT_EQ(Rows(current), (Cells{{u"W", u"2 - 2", u"w"}}));
        EXPECT_EQ(current.Control(EntryList).selected, -1);
    });
    ui.QueueKey(-1, UserCommand::Undo);  // nothing left to undo
    ui.QueueKey(-1, UserCommand::Redo);  // the add
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(Rows(current), (Cells{{u"W", u"2 - 2", u"w"}, {u"B", u"3 - 4", u"y"}}));
    });
    ui.QueueKey(EntryList, UserCommand::Redo);  // the paste: shows week 1's Monday
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(current.Control(WeekCombo).selected, 0);
        EXPECT_EQ(current.Control(DayCombo).selected, 0);
        EXPECT_EQ(Rows(current), (Cells{{u"M", u"1 - 1", u"m"}, {u"W", u"2 - 2", u"w"}}));
    });
    ui.QueueKey(SaveButton, UserCommand::Save);
    Run(ui);
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(ui.pauses.size(), 2u) << "each Ctrl+S pauses as the save button does";
    for (const RecordedPause& pause : ui.pauses) {
        EXPECT_EQ(pause.milliseconds, 1000);
        EXPECT_EQ(pause.TextOf(SaveButton), u"Gespeichert!");
    }
    EXPECT_EQ(ui.Control(SaveButton).text, u"Speichern");
    EXPECT_EQ(ui.clipboard, u"M|1|1|m\n");
    EXPECT_EQ(ReadFileBytes("units/history.txt"),
              HistoryBytes({{1, {u"M|1|1|m\\W|2|2|w"}}, {8, {u"", u"", u"W|2|2|w\\B|3|4|y"}}}));
}

TEST_F(EditSession, NewChangeDropsTheRedoStepsAndCreatedUnitsStay) {
    SeedFiles({u"A|1|2|x"});
    ScriptedUi ui;
    ui.QueueClick(AddEntryButton);
    ui.QueueText(NameField, u"N");
    ui.QueueClick(CreateUnitButton);
    ui.QueueClick(AddEntryButton);
    QueueKeys(ui, -1, UserCommand::Undo, 3);
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_TRUE(Rows(current).empty());
        EXPECT_EQ(current.Control(UnitCombo).items.size(), 2u) << "creating is not undone";
    });
    ui.QueueClick(AddEntryButton);  // N again: the two undone adds cannot come back
    QueueKeys(ui, -1, UserCommand::Redo, 2);
    ui.QueueClick(SaveButton);
    Run(ui);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Rows(ui), (Cells{{u"N", u"1 - 15", u""}}));
    EXPECT_EQ(ReadFileBytes("units/units.txt"), LineFileBytes({u"A|1|2|x", u"N|1|15|"}));
    EXPECT_EQ(ReadFileBytes("units/history.txt"), HistoryBytes({{8, {u"", u"", u"N|1|15|"}}}));
}

TEST_F(EditSession, SavingKeepsTheStepsAndOnlyTheLastHundredAreKept) {
    SeedFiles({u"A|1|2|x"});
    ScriptedUi ui;
    for (int i = 0; i < 105; ++i) ui.QueueClick(AddEntryButton);
    ui.QueueKey(-1, UserCommand::Save);
    QueueKeys(ui, -1, UserCommand::Undo, 110);
    QueueCheck(ui, [](ScriptedUi& current) { EXPECT_EQ(Rows(current).size(), 5u); });
    ui.QueueClick(SaveButton);
    QueueCheck(ui, [](ScriptedUi&) {
        EXPECT_EQ(ReadFileBytes("units/history.txt"),
                  HistoryBytes({{8, {u"", u"", RepeatedEntry(5)}}}));
    });
    QueueKeys(ui, -1, UserCommand::Redo, 101);
    ui.QueueClick(SaveButton);
    Run(ui);
    EXPECT_EQ(Rows(ui).size(), 105u);
    EXPECT_EQ(ReadFileBytes("units/history.txt"),
              HistoryBytes({{8, {u"", u"", RepeatedEntry(105)}}}));
}

TEST_F(EditSession, PasteReadsEveryLineAsTheCatalogueFileIsRead) {
    struct Case {
        const char* name;
        std::u16string clipboard;
        std::u16string pasted;  // the entries appended to "W|2|2|w"
    };
    const Case cases[] = {
        {"one line without a line end", u"A|1|2|x", u"A|1|2|x"},
        {"line feeds", u"A|1|2|x\nB|3|4|y\n", u"A|1|2|x\\B|3|4|y"},
        {"CR LF", u"A|1|2|x\r\nB|3|4|y\r\n", u"A|1|2|x\\B|3|4|y"},
        {"lone CR", u"A|1|2|x\rB|3|4|y", u"A|1|2|x\\B|3|4|y"},
        {"mixed ends and blank lines", u"\n  \r\nA|1|2|x\r\n\rB|3|4|y\n\n", u"A|1|2|x\\B|3|4|y"},
        {"hexadecimal, binary and signed counts", u"Run|$1F|%101|fast\nS| -7|+8|",
         u"Run|31|5|fast\\S|-7|8|"},
        {"missing fields", u"Name only", u"Name only|0|0|"},
        {"field past the fourth dropped", u"A|1|2|x|more", u"A|1|2|x"},
        {"letters in a count", u"A|3x|x3|d", u"A|3|0|d"},
        {"tabs kept", u"A\tB|1|2|d\te", u"A\tB|1|2|d\te"},
        {"blanks around the fields kept", u"  A |1|2| x \nB|1|1|b", u"  A |1|2| x \\B|1|1|b"},
        {"umlaut and a surrogate pair", u"Übung 😀|1|1|ä", u"Übung 😀|1|1|ä"},
        {"delete character is no control character", u"A\x7F|1|2|x", u"A\x7F|1|2|x"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        SeedFiles({u"A|1|2|x"}, {{8, {u"", u"", u"W|2|2|w"}}});
        ScriptedUi ui;
        ui.clipboard = row.clipboard;
        ui.QueueKey(EntryList, UserCommand::Paste);
        Cells pastedRows;
        QueueCheck(ui, [&pastedRows](ScriptedUi& current) { pastedRows = Rows(current); });
        ui.QueueSelect(DayCombo, 2);  // a refill shows the same rows
        QueueCheck(ui, [&pastedRows](ScriptedUi& current) {
            EXPECT_EQ(Rows(current), pastedRows);
            EXPECT_GE(pastedRows.size(), 2u);
        });
        ui.QueueKey(-1, UserCommand::Undo);  // the whole paste is one step
        QueueCheck(ui, [](ScriptedUi& current) { EXPECT_EQ(Rows(current).size(), 1u); });
        ui.QueueKey(-1, UserCommand::Undo);
        ui.QueueKey(-1, UserCommand::Redo);
        ui.QueueClick(SaveButton);
        Bytes afterPaste;
        QueueCheck(ui,
                   [&afterPaste](ScriptedUi&) { afterPaste = ReadFileBytes("units/history.txt"); });
        ui.QueueKey(-1, UserCommand::Undo);
        ui.QueueClick(SaveButton);
        Run(ui);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(afterPaste, HistoryBytes({{8, {u"", u"", u"W|2|2|w\\" + row.pasted}}}));
        EXPECT_EQ(ReadFileBytes("units/history.txt"), HistoryBytes({{8, {u"", u"", u"W|2|2|w"}}}));
        EXPECT_EQ(ui.clipboard, row.clipboard) << "pasting leaves the clipboard as it is";
    }
}

TEST_F(EditSession, PasteRefusesClipboardTextsWithoutUsableLines) {
    struct Case {
        const char* name;
        std::u16string clipboard;
    };
    const Case cases[] = {
        {"empty clipboard", u""},
        {"blank lines only", u"\n   \r\n \r"},
        {"backslash in the second line", u"A|1|2|x\nB\\C|1|2|y"},
        {"backslash alone", u"\\"},
        {"NUL at the end", std::u16string(u"A|1|2|x\0", 8)},
        {"escape in the description", u"A|1|2|\x1B"},
        {"form feed in the name", u"A\f|1|2|x"},
        {"vertical tab between lines", u"A|1|2|x\vB|1|2|y"},
        {"unit separator in a blank-looking line", u"A|1|2|x\n \x1F "},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        SeedFiles({u"A|1|2|x"}, {{8, {u"", u"", u"W|2|2|w"}}});
        ScriptedUi ui;
        ui.clipboard = row.clipboard;
        ui.QueueKey(WeekCombo, UserCommand::Paste);
        ui.QueueClick(AddEntryButton);
        ui.QueueKey(-1, UserCommand::Undo);  // the add, not the refused paste
        ui.QueueKey(-1, UserCommand::Undo);
        ui.QueueClick(SaveButton);
        Run(ui);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].title, u"Fehler");
        EXPECT_EQ(ui.messages[0].text, PasteText);
        EXPECT_FALSE(ui.messages[0].fatal);
        EXPECT_EQ(Rows(ui), (Cells{{u"W", u"2 - 2", u"w"}}));
        EXPECT_EQ(ReadFileBytes("units/history.txt"), HistoryBytes({{8, {u"", u"", u"W|2|2|w"}}}));
    }
}

TEST_F(EditSession, CopyWritesEntriesAsTheListCountsThemAndSaveWritesCounts) {
    // Trimmed of spaces, the day holds four entries; the third holds nothing but spaces.
    SeedFiles({u"A|1|2|x"}, {{1, {}}, {8, {u"", u"", u"  A|$1F|2|x\\B|%11|-0|y\\   \\C  "}}});
    ScriptedUi ui;
    ui.clipboard = u"kept";
    ui.QueueSelect(EntryList, 2);
    ui.QueueKey(EntryList, UserCommand::Copy);
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(current.clipboard, u"kept") << "an entry of spaces copies nothing";
        EXPECT_EQ(Rows(current).size(), 4u);
    });
    ui.QueueSelect(EntryList, 1);
    ui.QueueKey(EntryList, UserCommand::Copy);
    QueueCheck(ui, [](ScriptedUi& current) { EXPECT_EQ(current.clipboard, u"B|3|0|y\n"); });
    ui.QueueSelect(EntryList, -1);
    ui.QueueKey(EntryList, UserCommand::Copy);
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(current.clipboard, u"A|31|2|x\nB|3|0|y\nC|0|0|\n");
    });
    ui.QueueSelect(WeekCombo, 0);  // an empty day: the clipboard stays
    ui.QueueKey(EntryList, UserCommand::Copy);
    ui.QueueKey(EntryList, UserCommand::Paste);
    ui.QueueClick(SaveButton);
    Run(ui);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.clipboard, u"A|31|2|x\nB|3|0|y\nC|0|0|\n");
    EXPECT_EQ(ReadFileBytes("units/history.txt"),
              HistoryBytes({{1, {u"", u"", u"A|31|2|x\\B|3|0|y\\C|0|0|"}},
                            {8, {u"", u"", u"  A|$1F|2|x\\B|%11|-0|y\\   \\C  "}}}));
}

TEST_F(EditSession, DeleteAndCutNeedASelectedRowAndAreUndone) {
    SeedFiles({u"A|1|2|x"}, {{8, {u"", u"", u"B|3|4|y\\C|5|6|z"}}});
    ScriptedUi ui;
    ui.QueueKey(EntryList, UserCommand::Delete);  // nothing selected: no box, no change
    ui.QueueKey(EntryList, UserCommand::Cut);     // nothing selected: the Delete button's box
    ui.QueueSelect(EntryList, 1);
    ui.QueueKey(EntryList, UserCommand::Delete);
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_EQ(Rows(current), (Cells{{u"B", u"3 - 4", u"y"}}));
        EXPECT_EQ(current.Control(EntryList).selected, -1);
        EXPECT_TRUE(current.clipboard.empty()) << "Delete copies nothing";
    });
    ui.QueueSelect(EntryList, 0);
    ui.QueueKey(EntryList, UserCommand::Cut);
    ui.QueueClick(SaveButton);
    QueueCheck(ui, [](ScriptedUi& current) {
        EXPECT_TRUE(Rows(current).empty());
        EXPECT_EQ(current.clipboard, u"B|3|4|y\n");
        EXPECT_EQ(ReadFileBytes("units/history.txt"), HistoryBytes({{8, {}}}));
    });
    QueueKeys(ui, -1, UserCommand::Undo, 2);
    ui.QueueKey(-1, UserCommand::Save);
    Run(ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, DeleteButtonText);
    EXPECT_EQ(Rows(ui), (Cells{{u"B", u"3 - 4", u"y"}, {u"C", u"5 - 6", u"z"}}));
    EXPECT_EQ(ReadFileBytes("units/history.txt"),
              HistoryBytes({{8, {u"", u"", u"B|3|4|y\\C|5|6|z"}}}));
}

}  // namespace
