// Placeholder substitution and the message boxes that report failures. A fatal message
// does not end the process here: it marks the end, and start-up ends in its orderly way.
#include "text/messages.h"

#include "app/ui_services.h"
#include "text/text_table.h"

namespace {

bool endRequested = false;

char16_t AsciiUpper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

// Is `pattern` (given in capitals) at `position` of `text`, ignoring the case of ASCII letters?
bool MatchesAt(const std::u16string& text, std::size_t position, std::u16string_view pattern) {
    if (text.size() - position < pattern.size()) return false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (AsciiUpper(text[position + i]) != pattern[i]) return false;
    }
    return true;
}

// Left to right, non-overlapping; the inserted text is not searched again.
std::u16string ReplaceAll(const std::u16string& text, std::u16string_view pattern,
                          const std::u16string& replacement) {
    if (replacement.empty()) return text;
    std::u16string out;
    out.reserve(text.size());
    std::size_t position = 0;
    while (position < text.size()) {
        if (MatchesAt(text, position, pattern)) {
            out += replacement;
            position += pattern.size();
        } else {
            out.push_back(text[position]);
            ++position;
        }
    }
    return out;
}

constexpr char16_t FirstPlaceholder[] = u"{REPLACE}";
constexpr char16_t SecondPlaceholder[] = u"{REPLACE2}";

}  // namespace

std::u16string SubstitutePlaceholders(std::u16string text, const std::u16string& replacement1,
                                      const std::u16string& replacement2) {
    text = ReplaceAll(text, FirstPlaceholder, replacement1);
    return ReplaceAll(text, SecondPlaceholder, replacement2);
}

void ShowMessage(bool fatal, std::u16string title, std::u16string text,
                 const std::u16string& replacement1, const std::u16string& replacement2) {
    // Text and title are independent, so substituting one fully and then the other gives
    // the same result as doing each step in the text and then in the title.
    text = SubstitutePlaceholders(std::move(text), replacement1, replacement2);
    title = SubstitutePlaceholders(std::move(title), replacement1, replacement2);
    CurrentUi().ShowMessageBox(title, text, fatal);
    if (fatal) endRequested = true;
}

void ShowError(std::u16string_view key, const std::u16string& replacement1, bool fatal) {
    ShowMessage(fatal, LookupText(u"Errors", u"Title"), LookupText(u"Errors", key), replacement1,
                u"");
}

bool EndRequested() {
    return endRequested;
}

void ClearEndRequest() {
    endRequested = false;
}
