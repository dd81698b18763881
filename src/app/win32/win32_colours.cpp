// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 back end's colours: whether the desktop prefers dark (the AppsUseLightTheme
// setting of Windows 10 and 11), and dark colours: the title bar, the system's dark themes of
// the controls that have one, dark backgrounds of the window, panels, labels, fields and the
// list. Light is the system's own look, left untouched. When to use which is the program's
// rule (app/program.cpp). advapi32, dwmapi and uxtheme are looked up at run time, so the exe
// imports none of them, and a system without them simply stays light where they would act.
#include "app/win32/win32_ui.h"

namespace {

using RegGetValueFunction = LONG(WINAPI*)(HKEY, LPCWSTR, LPCWSTR, DWORD, LPDWORD, PVOID, LPDWORD);
using SetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
using SetWindowThemeFunction = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);

constexpr wchar_t PersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
// DWMWA_USE_IMMERSIVE_DARK_MODE: 20 since Windows 10 20H1 and on Windows 11, 19 before.
constexpr DWORD DarkTitleBarAttributes[] = {20, 19};

void SetDarkTitleBar(HWND window, bool dark) {
    static const SetWindowAttributeFunction setAttribute =
        SystemFunction<SetWindowAttributeFunction>(L"dwmapi.dll", "DwmSetWindowAttribute");
    if (setAttribute == nullptr) return;
    const BOOL value = dark ? TRUE : FALSE;
    for (DWORD attribute : DarkTitleBarAttributes) {
        if (SUCCEEDED(setAttribute(window, attribute, &value, sizeof(value)))) return;
    }
}

// nullptr gives the window back its usual theme.
void SetTheme(HWND window, const wchar_t* name) {
    static const SetWindowThemeFunction setTheme =
        SystemFunction<SetWindowThemeFunction>(L"uxtheme.dll", "SetWindowTheme");
    if (setTheme != nullptr && window != nullptr) setTheme(window, name, nullptr);
}

// The system's dark theme of a kind of control; nullptr where it has none.
const wchar_t* DarkThemeOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton:
        case ControlKind::ReportList:
            return L"DarkMode_Explorer";
        case ControlKind::DropDownList:
        case ControlKind::Input:
            return L"DarkMode_CFD";
        case ControlKind::Panel:
        case ControlKind::Label:
        case ControlKind::Picture:
            break;
    }
    return nullptr;
}

}  // namespace

bool Win32Ui::DoDesktopPrefersDark() {
    static const RegGetValueFunction getValue =
        SystemFunction<RegGetValueFunction>(L"advapi32.dll", "RegGetValueW");
    if (getValue == nullptr) return false;
    DWORD value = 1;
    DWORD size = sizeof(value);
    // Missing before Windows 10: light, as those systems are.
    if (getValue(HKEY_CURRENT_USER, PersonalizeKey, L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr,
                 &value, &size) != ERROR_SUCCESS)
        return false;
    return value == 0;
}

void Win32Ui::DoSetColourScheme(ColourScheme scheme) {
    const bool dark = scheme == ColourScheme::Dark;
    // Light that never was dark keeps every control exactly as the system made it.
    if (dark == dark_) return;
    dark_ = dark;
    if (dark) {
        faceBrush_ = CreateSolidBrush(DarkFaceColour);
        fieldBrush_ = CreateSolidBrush(DarkFieldColour);
    }
    if (mainWindow_ != nullptr) {
        ColourWindow();
        for (Win32Control& control : controls_) {
            if (control.window == nullptr) continue;
            ColourControl(control);
            // A picture with alpha was blended over the old background.
            if (control.kind == ControlKind::Picture) ShowPicture(control);
        }
        RedrawWindow(mainWindow_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    if (!dark) {
        for (HBRUSH* brush : {&faceBrush_, &fieldBrush_}) {
            if (*brush != nullptr) DeleteObject(*brush);
            *brush = nullptr;
        }
    }
}

void Win32Ui::ColourWindow() {
    if (mainWindow_ != nullptr) SetDarkTitleBar(mainWindow_, dark_);
    SetTheme(tooltip_, dark_ ? L"DarkMode_Explorer" : nullptr);
}

void Win32Ui::ColourControl(const Win32Control& control) {
    const wchar_t* theme = DarkThemeOf(control.kind);
    if (theme != nullptr) SetTheme(control.window, dark_ ? theme : nullptr);
    if (control.kind != ControlKind::ReportList) return;
    const COLORREF background = dark_ ? DarkFieldColour : GetSysColor(COLOR_WINDOW);
    const COLORREF text = dark_ ? DarkTextColour : GetSysColor(COLOR_WINDOWTEXT);
    SendMessageW(control.window, LVM_SETBKCOLOR, 0, LPARAM(background));
    SendMessageW(control.window, LVM_SETTEXTBKCOLOR, 0, LPARAM(background));
    SendMessageW(control.window, LVM_SETTEXTCOLOR, 0, LPARAM(text));
    HWND header = reinterpret_cast<HWND>(SendMessageW(control.window, LVM_GETHEADER, 0, 0));
    SetTheme(header, dark_ ? L"DarkMode_ItemsView" : nullptr);
}

HBRUSH Win32Ui::ControlBrush(UINT message, HDC context, HWND control) {
    if (!dark_ || faceBrush_ == nullptr) return nullptr;
    // Fields and lists ask with EDIT and LISTBOX; labels, disabled fields and the space
    // around buttons with STATIC and BTN, and show the face as the light colours do.
    const bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    const bool enabled = control == nullptr || IsWindowEnabled(control) != FALSE;
    SetTextColor(context, enabled ? DarkTextColour : DarkDisabledTextColour);
    SetBkColor(context, field ? DarkFieldColour : DarkFaceColour);
    return field ? fieldBrush_ : faceBrush_;
}

bool Win32Ui::EraseBackground(HWND window, HDC context) {
    if (!dark_ || faceBrush_ == nullptr) return false;
    RECT area{};
    GetClientRect(window, &area);
    FillRect(context, &area, faceBrush_);
    return true;
}
