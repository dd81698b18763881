// SPDX-License-Identifier: GPL-3.0-or-later
// The context menu's items come from the exports table, in its order; the plan's own commands
// follow them, from their own table below.
#include "app/context_menu.h"

#include "app/export_commands.h"
#include "app/import_commands.h"
#include "app/repeat_week.h"

namespace {

struct PlanCommand {
    const char16_t* menuKey;  // the text of its menu item, in the group Menu
    const char* headlessName;
    void (*action)(ProgramState&);
    bool (*available)(const ProgramState&);  // nullptr: always
    bool asksForFile;
};

constexpr PlanCommand PlanCommands[] = {
    {u"Import", "import", ImportTrainingFile, nullptr, true},
    {u"Repeat", "repeat", RepeatLastWeek, CanRepeatLastWeek, false},
};

std::size_t ItemCount() {
    return Exports().size() + std::size(PlanCommands);
}

// The plan command at a menu position; nullptr for an export or a position past the items.
const PlanCommand* PlanCommandAt(std::size_t item) {
    if (item < Exports().size() || item >= ItemCount()) return nullptr;
    return &PlanCommands[item - Exports().size()];
}

const char* HeadlessNameAt(std::size_t item) {
    if (item < Exports().size()) return Exports()[item].headlessName;
    return PlanCommandAt(item)->headlessName;
}

}  // namespace

std::vector<MenuItem> ContextMenuItems(const TextTable& texts) {
    std::vector<MenuItem> items;
    for (const ExportSpec& spec : Exports())
        items.push_back({LookupText(texts, u"Menu", spec.menuKey)});
    for (const PlanCommand& command : PlanCommands)
        items.push_back({LookupText(texts, u"Menu", command.menuKey)});
    return items;
}

void UpdateContextMenu(ProgramState& state) {
    for (std::size_t item = Exports().size(); item < ItemCount(); ++item) {
        const PlanCommand* command = PlanCommandAt(item);
        state.ui.SetMenuItemEnabled(item,
                                    command->available == nullptr || command->available(state));
    }
}

void RunMenuItem(ProgramState& state, std::size_t item) {
    if (item < Exports().size()) {
        ExportAndOpen(state, Exports()[item]);
        return;
    }
    const PlanCommand* command = PlanCommandAt(item);
    // The back ends refuse a greyed item; the rule is kept here too for a caller that does not.
    if (command == nullptr || (command->available != nullptr && !command->available(state))) return;
    command->action(state);
}

std::intptr_t MenuItemNamed(std::string_view name) {
    for (std::size_t item = 0; item < ItemCount(); ++item)
        if (HeadlessNameAt(item) == name) return std::intptr_t(item);
    return -1;
}

bool MenuItemAsksForFile(std::size_t item) {
    const PlanCommand* command = PlanCommandAt(item);
    return command != nullptr && command->asksForFile;
}

std::string MenuItemNames() {
    std::string names;
    for (std::size_t item = 0; item < ItemCount(); ++item) {
        if (!names.empty()) names += '|';
        names += HeadlessNameAt(item);
    }
    return names;
}
