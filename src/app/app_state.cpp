// The program's own globals with their start-up defaults.
#include "app/app_state.h"

WholeNumber SelectedDay = 0;
bool QuitRequested = false;
bool FieldsDisabled = false;
std::u16string WindowTitle;
Picture BigPictureImage;
Picture SmallPictureImage;

void ResetAppState() {
    SelectedDay = 0;
    QuitRequested = false;
    FieldsDisabled = false;
    WindowTitle.clear();
    BigPictureImage = Picture();
    SmallPictureImage = Picture();
}
