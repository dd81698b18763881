// The process-wide pointer to the back end the program runs on.
#include "app/ui_services.h"

#include <cassert>

namespace {
UiServices* currentUi = nullptr;
}

UiServices& CurrentUi() {
    assert(currentUi != nullptr && "no user-interface back end was set before use");
    return *currentUi;
}

void SetCurrentUi(UiServices* ui) {
    currentUi = ui;
}
