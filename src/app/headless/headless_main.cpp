// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-headless: the whole program on the scripted back end in the current working
// directory (or the folder given by --dir), driven by one command per line on stdin and
// answering one JSON object per line on stdout. The protocol itself is in
// app/headless_protocol.cpp.
#include <cstdio>
#include <iostream>
#include <string>

#include "app/data_folder.h"
#include "app/headless_protocol.h"
#include "app/program.h"
#include "app/scripted_ui.h"
#include "app/start_options.h"

namespace {

// One line without its end; a CR before the LF (or at the end of input) goes too.
bool ReadCommandLine(std::string& line) {
    if (!std::getline(std::cin, line)) return false;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    return true;
}

void WriteAnswerLine(const std::string& json) {
    std::fwrite(json.data(), 1, json.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const ProgramIdentity program{"velmora-headless", VELMORA_VERSION,
                                  "the current working directory"};
    const StartOptions options = ParseStartOptions(argc, argv);
    if (options.action != StartOptions::Action::Run) {
        return AnswerStartOptions(options, program, stdout, stderr);
    }
    // Without --dir the working directory is used as it is, never prepared.
    if (!options.folder.empty() && !EnterDataFolder(options.folder, program.name, program.version))
        return 1;
    std::ios::sync_with_stdio(false);
    ScriptedUi ui;
    ConnectHeadlessDriver(ui, ReadCommandLine, WriteAnswerLine);
    return RunProgram(ui);
}
