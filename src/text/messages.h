// SPDX-License-Identifier: GPL-3.0-or-later
// What a failure report says: the "{replace}" placeholder substitution and the title and text
// of the box for a report of a loader or saver. Showing boxes is left to app/.
#pragma once

#include <string>
#include <string_view>

#include "text/text_table.h"

std::u16string SubstitutePlaceholders(std::u16string text, const std::u16string& replacement1,
                                      const std::u16string& replacement2);

// A failure a loader or saver reports instead of showing it: the key of its message in the
// text group Errors and the file it names. An empty key reports nothing.
struct Report {
    std::u16string_view key;  // a built-in key, so the view never dangles
    std::u16string file;
    bool fatal = false;

    bool ok() const { return key.empty(); }
};

struct BoxText {
    std::u16string title;
    std::u16string text;
};

// Errors/Title and Errors/key with the report's file in place of "{replace}".
BoxText ErrorBoxText(const TextTable& texts, std::u16string_view key, const std::u16string& file);
