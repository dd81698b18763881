// velmora-headless: the whole program on the scripted back end in the current working
// directory, driven by one command per line on stdin and answering one JSON object per
// line on stdout. The protocol itself is in app/headless_protocol.cpp.
#include <cstdio>
#include <iostream>
#include <string>

#include "app/headless_protocol.h"
#include "app/program.h"
#include "app/scripted_ui.h"

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

int main() {
    std::ios::sync_with_stdio(false);
    ScriptedUi ui;
    ConnectHeadlessDriver(ui, ReadCommandLine, WriteAnswerLine);
    return RunProgram(ui);
}
