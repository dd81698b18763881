// SPDX-License-Identifier: GPL-3.0-or-later
// The command line shared by velmora and velmora-headless (--dir DIR, --version, --help):
// parsing and the printed answers. Entering the folder is left to data_folder.h.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// What a program says about itself in its version line and usage.
struct ProgramIdentity {
    std::string_view name;           // "velmora"
    std::string_view version;        // the project version, "1.0.0"
    std::string_view defaultFolder;  // how the usage names the folder used without --dir
};

struct StartOptions {
    enum class Action { Run, PrintVersion, PrintHelp, Refuse };
    Action action = Action::Run;
    std::string folder;   // from --dir; empty = the program's own default
    std::string problem;  // Refuse: the one line saying what was wrong
};

// The arguments after the program name. Any broken argument refuses the whole line; else
// --help wins over --version, which wins over running.
StartOptions ParseStartOptions(const std::vector<std::string>& arguments);
StartOptions ParseStartOptions(int argc, const char* const* argv);
std::string VersionLine(const ProgramIdentity& program);
std::string UsageText(const ProgramIdentity& program);
// Prints the version or help to out (status 0) or the problem and the usage to errors
// (status 2). Only for actions other than Run.
int AnswerStartOptions(const StartOptions& options, const ProgramIdentity& program, std::FILE* out,
                       std::FILE* errors);
// ${XDG_DATA_HOME:-$HOME/.local/share}/velmora from these two values (either may be null);
// empty when both are unset or empty.
std::string DataFolderFor(const char* xdgDataHome, const char* home);
// The same from the environment.
std::string DefaultDataFolder();
