// The program's own globals: the selected day, the loop's quit flag, the unit-field state,
// the window title and the two decoded pictures. The data lists live in data/, the
// settings in config/.
#pragma once

#include <string>

#include "app/ui_services.h"
#include "data/text_helpers.h"

extern WholeNumber SelectedDay;  // 0 = Monday .. 6 = Sunday
extern bool QuitRequested;
extern bool FieldsDisabled;
extern std::u16string WindowTitle;
extern Picture BigPictureImage;
extern Picture SmallPictureImage;

inline constexpr char16_t BigPicturePath[] = u"media/BigImage.png";
inline constexpr char16_t SmallPicturePath[] = u"media/SmallImage.png";

// Puts the globals above back to their start-up defaults and drops the pictures.
void ResetAppState();
