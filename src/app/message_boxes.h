// SPDX-License-Identifier: GPL-3.0-or-later
// The boxes that report failures, shown on the program's back end with the texts of its
// table. What a box says is text/'s ErrorBoxText; what fails is told by the core's reports.
#pragma once

#include <string>
#include <string_view>

#include "app/program_state.h"
#include "text/messages.h"

// Shows the box of a report; nothing for a report without a key. A fatal report marks the
// end of the program (endRequested).
void ShowReport(ProgramState& state, const Report& report);
// The box of Errors/key with `file` in place of "{replace}".
void ShowError(ProgramState& state, std::u16string_view key, const std::u16string& file = u"");
