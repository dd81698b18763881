// The main routine's body: start-up in its fixed order, the event loop and the orderly end.
// The steps themselves belong to text/, config/, data/, calendar/ and the app files.
#include "app/program.h"

#include "app/app_state.h"
#include "app/event_loop.h"
#include "app/main_window.h"
#include "app/picture.h"
#include "calendar/week_calendar.h"
#include "config/configuration.h"
#include "data/unit_catalogue.h"
#include "data/week_history.h"
#include "text/messages.h"
#include "text/text_table.h"

namespace {

void SetDefaults() {
    ResetAppState();
    Language = u"English";
    Version = u"0.1";
    SelectedWeek = 0;
    UnitFileUnreadable = false;
    HistoryFileUnreadable = false;
    ClearEndRequest();
}

// A picture that cannot be loaded ends the program after its box.
bool LoadRequiredPicture(const char16_t* path, Picture& picture) {
    if (LoadPicture(path, picture)) return true;
    ShowError(u"Image", path, true);
    return false;
}

// Every step that can end the program is followed by a check; false means "end now".
bool StartUp() {
    SetDefaults();
    SelectedDay = TodayDayIndex();
    WeekHistory.clear();
    UnitCatalogue.clear();
    FillDayKeys();
    BuildTextTable(u"");
    LoadConfiguration();
    if (EndRequested()) return false;
    BuildTextTable(u"lang/" + Language + u".txt");
    LoadUnitCatalogue();
    LoadWeekHistory();
    if (!LoadRequiredPicture(BigPicturePath, BigPictureImage)) return false;
    if (!LoadRequiredPicture(SmallPicturePath, SmallPictureImage)) return false;
    // A window that cannot be opened leaves nothing to wait for: end quietly.
    return BuildMainWindow();
}

}  // namespace

void EndProgram() {
    CurrentUi().CloseWindow();
    ResetAppState();
    std::vector<TrainingUnit>().swap(UnitCatalogue);
    std::vector<TrainingWeek>().swap(WeekHistory);
}

int RunProgram(UiServices& ui) {
    SetCurrentUi(&ui);
    if (StartUp()) RunEventLoop();
    EndProgram();
    return 0;
}
