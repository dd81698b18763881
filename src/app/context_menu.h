// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's context menu: its items in order (the exports of export_commands.h, then
// the plan's own commands: the import and the repeated week), their texts, their names in
// velmora-headless, which of them are choosable now and what choosing one does. Showing the
// menu is the back ends'.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/program_state.h"

// The items' texts from the group Menu, for the back end.
std::vector<MenuItem> ContextMenuItems(const TextTable& texts);
// Greys out the items that cannot act on the shown week (Repeat last week without a week
// before it) and enables the others; called whenever the shown week may have changed.
void UpdateContextMenu(ProgramState& state);
// The action of the item at this position; a position past the items does nothing.
void RunMenuItem(ProgramState& state, std::size_t item);
// The position of the item velmora-headless calls `name`; -1 when there is none.
std::intptr_t MenuItemNamed(std::string_view name);
// True for an item that opens a file dialog first (velmora-headless gives the file with it).
bool MenuItemAsksForFile(std::size_t item);
// The items' headless names joined by "|", as the driver's usage line lists them.
std::string MenuItemNames();
