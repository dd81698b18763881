// The main window's context menu: its items in order (the exports of export_commands.h, then
// the plan's own commands), their texts, their names in velmora-headless and what choosing
// one does. Showing the menu is the back ends'.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/program_state.h"

// The items' texts from the group Menu, for the back end.
std::vector<MenuItem> ContextMenuItems(const TextTable& texts);
// The action of the item at this position; a position past the items does nothing.
void RunMenuItem(ProgramState& state, std::size_t item);
// The position of the item velmora-headless calls `name`; -1 when there is none.
std::intptr_t MenuItemNamed(std::string_view name);
// The items' headless names joined by "|", as the driver's usage line lists them.
std::string MenuItemNames();
