// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 back end's context menu (TrackPopupMenu on WM_CONTEXTMENU) and the opening of a
// file by the desktop's program for its kind (ShellExecuteW). Shell32 is looked up at run time,
// so the exe imports nothing beyond the system's user-interface libraries. What the items do
// is the program's business (app/export_commands.cpp).
#include "app/win32/win32_ui.h"

namespace {

using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);

ShellExecuteFunction LookUpShellExecute() {
    static const ShellExecuteFunction function =
        SystemFunction<ShellExecuteFunction>(L"shell32.dll", "ShellExecuteW");
    return function;
}

// Menu item ids start above 0, which TrackPopupMenu returns for "nothing chosen".
constexpr UINT FirstMenuId = 1;

}  // namespace

void Win32Ui::NoteContextMenu(HWND from, int x, int y) {
    const std::vector<MenuItem>& items = ContextMenu();
    if (mainWindow_ == nullptr || items.empty()) return;
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const UINT flags = MF_STRING | (items[i].enabled ? MF_ENABLED : MF_GRAYED);
        AppendMenuW(menu, flags, FirstMenuId + UINT(i), WideText(items[i].text));
    }
    // (-1, -1) comes from the keyboard (the menu key, Shift+F10).
    if (x == -1 && y == -1) {
        RECT place{};
        HWND anchor = from != nullptr ? from : mainWindow_;
        GetWindowRect(anchor, &place);
        const ScreenPoint point = KeyboardMenuPoint(
            {place.left, place.top, place.right - place.left, place.bottom - place.top});
        x = point.x;
        y = point.y;
    }
    const UINT chosen = UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x,
                                            y, 0, mainWindow_, nullptr));
    DestroyMenu(menu);
    if (chosen >= FirstMenuId && chosen < FirstMenuId + items.size())
        RaiseMenuChoice(chosen - FirstMenuId);
}

bool Win32Ui::DoOpenFile(const std::u16string& path) {
    ShellExecuteFunction shellExecute = LookUpShellExecute();
    if (shellExecute == nullptr) return false;
    // The shell wants a whole path with the system's separators.
    std::u16string native = path;
    for (char16_t& unit : native)
        if (unit == u'/') unit = u'\\';
    std::u16string full(MAX_PATH, u'\0');
    DWORD length = GetFullPathNameW(WideText(native), DWORD(full.size()),
                                    reinterpret_cast<wchar_t*>(full.data()), nullptr);
    if (length >= full.size()) {
        full.resize(length + 1);
        length = GetFullPathNameW(WideText(native), DWORD(full.size()),
                                  reinterpret_cast<wchar_t*>(full.data()), nullptr);
    }
    if (length == 0 || length >= full.size()) return false;
    full.resize(length);
    const auto result = reinterpret_cast<INT_PTR>(
        shellExecute(mainWindow_, L"open", WideText(full), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;  // smaller values are the shell's error codes
}
