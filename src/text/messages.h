// Message boxes that report failures, and the "{replace}" placeholder substitution.
#pragma once

#include <string>

std::u16string SubstitutePlaceholders(std::u16string text, const std::u16string& replacement1,
                                      const std::u16string& replacement2);
// Shows a modal box on CurrentUi(). A fatal message marks the program as ending:
// start-up checks EndRequested() after each step that can be fatal and then ends.
void ShowMessage(bool fatal, std::u16string title, std::u16string text,
                 const std::u16string& replacement1, const std::u16string& replacement2);
// ShowMessage with title Errors/Title, text Errors/key and an empty second replacement.
void ShowError(std::u16string_view key, const std::u16string& replacement1, bool fatal = false);
bool EndRequested();
void ClearEndRequest();
