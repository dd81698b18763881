// SPDX-License-Identifier: GPL-3.0-or-later
// The main routine's body: start-up in its fixed order (the colours chosen from the theme
// setting among its steps), the event loop and the orderly end. The steps themselves belong to
// text/, config/, data/, calendar/ and the app files; the boxes for what they report are shown
// here, in the order the steps run.
#include "app/program.h"

#include <chrono>
#include <thread>

#include "app/event_loop.h"
#include "app/main_window.h"
#include "app/message_boxes.h"
#include "app/picture.h"
#include "app/sync_commands.h"
#include "calendar/week_calendar.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"

namespace {

// A picture that cannot be loaded ends the program after its box.
bool LoadRequiredPicture(ProgramState& state, const char16_t* path, Picture& picture) {
    if (LoadPicture(path, picture)) return true;
    ShowReport(state, {u"Image", path, true});
    return false;
}

void LoadDocument(ProgramState& state) {
    ShowReport(state, LoadUnitCatalogue(state.document));
    ShowReport(state, LoadHistoryUpToToday(state.document));
    // What a sync tool kept of the other machine's changes joins what was loaded.
    MergeConflictCopies(state);
    state.selection.week = static_cast<WholeNumber>(state.document.history.size()) - 1;
}

// A sync tool or a virus scanner may hold the lock file open for a moment while it copies
// it; only a lock still held after a short while is another Velmora's.
OsLockResult LockFolder(ProgramState& state) {
    constexpr int Attempts = 10;
    constexpr auto Wait = std::chrono::milliseconds(100);
    OsLockResult result = OsLockFile(FolderLockPath, state.folderLock);
    for (int attempt = 1; attempt < Attempts && result == OsLockResult::HeldElsewhere; ++attempt) {
        std::this_thread::sleep_for(Wait);
        result = OsLockFile(FolderLockPath, state.folderLock);
    }
    return result;
}

}  // namespace

ColourScheme ColourSchemeFor(ThemeSetting setting, UiServices& ui) {
    switch (setting) {
        case ThemeSetting::Light:
            return ColourScheme::Light;
        case ThemeSetting::Dark:
            return ColourScheme::Dark;
        case ThemeSetting::System:
            break;
    }
    return ui.DesktopPrefersDark() ? ColourScheme::Dark : ColourScheme::Light;
}

bool StartUp(ProgramState& state) {
    state.selection.day = TodayDayIndex();
    // The built-in texts first, so that every later failure can be worded.
    state.texts = BuildTextTable();
    for (const Report& report : LoadConfiguration(state.settings)) ShowReport(state, report);
    if (state.endRequested) return false;
    // Every box from here on and the window come in the chosen colours.
    state.ui.SetColourScheme(ColourSchemeFor(ParseThemeSetting(state.settings.theme), state.ui));
    state.texts = BuildTextTable();
    ApplyLanguageFile(state.texts, LanguageFilePath(state.settings));
    // In the user's language, and before the data files are read: the other program keeps
    // working with them. A folder where no lock can be made is used as it always was.
    if (LockFolder(state) == OsLockResult::HeldElsewhere) {
        ShowReport(state, {u"Running", u"", true});
        return false;
    }
    LoadDocument(state);
    if (!LoadRequiredPicture(state, BigPicturePath, state.bigPicture)) return false;
    if (!LoadRequiredPicture(state, SmallPicturePath, state.smallPicture)) return false;
    // A window that cannot be opened leaves nothing to wait for: end quietly.
    return BuildMainWindow(state);
}

void EndProgram(ProgramState& state) {
    state.ui.CloseWindow();
    if (state.folderLock.handle != -1) OsClose(state.folderLock);
}

int RunProgram(ProgramState& state) {
    if (StartUp(state)) RunEventLoop(state);
    EndProgram(state);
    return 0;
}

int RunProgram(UiServices& ui) {
    ProgramState state(ui);
    return RunProgram(state);
}
