// The context menu's items come from the exports table, in its order; the plan's own commands
// follow them.
#include "app/context_menu.h"

#include "app/export_commands.h"

std::vector<MenuItem> ContextMenuItems(const TextTable& texts) {
    std::vector<MenuItem> items;
    for (const ExportSpec& spec : Exports())
        items.push_back({LookupText(texts, u"Menu", spec.menuKey)});
    return items;
}

void RunMenuItem(ProgramState& state, std::size_t item) {
    if (item < Exports().size()) ExportAndOpen(state, Exports()[item]);
}

std::intptr_t MenuItemNamed(std::string_view name) {
    for (std::size_t item = 0; item < Exports().size(); ++item)
        if (Exports()[item].headlessName == name) return std::intptr_t(item);
    return -1;
}

std::string MenuItemNames() {
    std::string names;
    for (const ExportSpec& spec : Exports()) {
        if (!names.empty()) names += '|';
        names += spec.headlessName;
    }
    return names;
}
