// The scripted back end's item lists: refills after a clear (which reuse the removed rows'
// room) show exactly the new rows and cells, and removal and selection follow them.
#include "app/scripted_ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::u16string>;
using Cells = std::vector<std::vector<std::u16string>>;

constexpr int List = 10;
constexpr int Combo = 11;

TEST(ScriptedUiItems, RefillsShowExactlyTheNewRows) {
    struct Row {
        const char* name;
        Rows rows;
    };
    // Each fill follows the one above it on the same list.
    const Row fills[] = {
        {"first fill", {u"A\n1 - 2\nx", u"B\n3 - 4\ny", u"C\n5 - 6\nz"}},
        {"fewer and longer rows", {u"a much longer name\n10 - 20\nmore text", u"D\n7 - 8\n"}},
        {"more and shorter rows", {u"E", u"", u"\nF", u"G\n\n", u"H\n9 - 9\nh"}},
        {"empty fill", {}},
        {"after the empty fill", {u"I\n1 - 1\ni"}},
    };
    ScriptedUi ui;
    ui.CreateControl(List, ControlKind::ReportList, MainWindowParent, 0, 0, 100, 100, u"",
                     Alignment::Left);
    for (const Row& fill : fills) {
        SCOPED_TRACE(fill.name);
        ui.RemoveAllItems(List);
        for (const std::u16string& row : fill.rows) ui.AddItem(List, row);
        EXPECT_EQ(ui.Control(List).items, fill.rows);
        Cells cells;
        for (const std::u16string& row : fill.rows) {
            std::vector<std::u16string>& split = cells.emplace_back(1);
            for (char16_t unit : row) {
                if (unit == u'\n')
                    split.emplace_back();
                else
                    split.back() += unit;
            }
        }
        EXPECT_EQ(ui.Control(List).cells(), cells);
    }
}

TEST(ScriptedUiItems, RemovalAndSelectionFollowARefilledList) {
    ScriptedUi ui;
    ui.CreateControl(Combo, ControlKind::DropDownList, MainWindowParent, 0, 0, 100, 20, u"",
                     Alignment::Left);
    for (const char16_t* text : {u"one", u"two", u"three"}) ui.AddItem(Combo, text);
    ui.RemoveAllItems(Combo);
    for (const char16_t* text : {u"Woche - 1", u"Woche - 8", u"Woche - 15", u"Woche - 22"})
        ui.AddItem(Combo, text);
    ui.SetState(Combo, 2);
    EXPECT_EQ(ui.ShownText(Combo), u"Woche - 15");
    ui.RemoveItem(Combo, 0);
    EXPECT_EQ(ui.GetState(Combo), 1);
    EXPECT_EQ(ui.Control(Combo).items, (Rows{u"Woche - 8", u"Woche - 15", u"Woche - 22"}));
    EXPECT_TRUE(ui.Control(Combo).cells().empty()) << "only a report list has cells";
    ui.RemoveAllItems(Combo);
    EXPECT_EQ(ui.GetState(Combo), -1);
    EXPECT_TRUE(ui.Control(Combo).items.empty());
}

}  // namespace
