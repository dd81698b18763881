// velmora-headless: the program on the scripted back end, driven line by line over stdin.
#include "app/program.h"
#include "app/scripted_ui.h"

int main() {
    ScriptedUi ui;
    return RunProgram(ui);
}
