// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 back end's clipboard: plain text as CF_UNICODETEXT. What is copied and what a
// pasted text means is the program's business (app/clipboard_text.h).

#include <cstring>

#include "app/win32/win32_ui.h"

namespace {

// Another program may hold the clipboard for a moment.
bool OpenClipboardSoon(HWND owner) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

}  // namespace

std::u16string Win32Ui::DoGetClipboardText() {
    std::u16string text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboardSoon(mainWindow_)) return text;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* units = data != nullptr ? static_cast<const char16_t*>(GlobalLock(data)) : nullptr;
    if (units != nullptr) {
        // The text ends at its NUL, and never past the memory that holds it.
        const SIZE_T most = GlobalSize(data) / sizeof(char16_t);
        SIZE_T length = 0;
        while (length < most && units[length] != u'\0') ++length;
        text.assign(units, length);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void Win32Ui::DoSetClipboardText(const std::u16string& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    if (memory == nullptr) return;
    auto* units = static_cast<char16_t*>(GlobalLock(memory));
    if (units == nullptr) {
        GlobalFree(memory);
        return;
    }
    std::memcpy(units, text.data(), text.size() * sizeof(char16_t));
    units[text.size()] = u'\0';
    GlobalUnlock(memory);
    if (!OpenClipboardSoon(mainWindow_)) {
        GlobalFree(memory);
        return;
    }
    // Once set, the memory belongs to the system.
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
    CloseClipboard();
}
