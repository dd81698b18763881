// SPDX-License-Identifier: GPL-3.0-or-later
// The main window, the bordered panels and the creation of every control kind with the
// standard Windows classes, at the window's scale. Reading and changing the controls is in
// win32_items.cpp, the scale's changes in win32_dpi.cpp, the colours in win32_colours.cpp.

#include <algorithm>

#include "app/win32/win32_ui.h"
// windowsx.h needs the types of windows.h first.
#include <windowsx.h>

namespace {

Win32Ui* UiOf(HWND window) {
    return reinterpret_cast<Win32Ui*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The background messages of the window and the panels; in light colours all the system's.
LRESULT ColourMessage(Win32Ui* ui, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            if (HBRUSH brush = ui->ControlBrush(message, reinterpret_cast<HDC>(wParam),
                                                reinterpret_cast<HWND>(lParam)))
                return reinterpret_cast<LRESULT>(brush);
            break;
        case WM_ERASEBKGND:
            if (ui->EraseBackground(window, reinterpret_cast<HDC>(wParam))) return 1;
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    Win32Ui* ui = UiOf(window);
    if (ui == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_CLOSE:
            // The loop decides; the window stays until the orderly end destroys it.
            ui->NoteCloseRequest();
            return 0;
        case WM_COMMAND:
            ui->NoteCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_NOTIFY:
            ui->NoteNotify(*reinterpret_cast<const NMHDR*>(lParam));
            return 0;
        case WM_CONTEXTMENU:
            ui->NoteContextMenu(reinterpret_cast<HWND>(wParam), GET_X_LPARAM(lParam),
                                GET_Y_LPARAM(lParam));
            return 0;
        case WM_ACTIVATE:
            ui->NoteActivation(LOWORD(wParam) != WA_INACTIVE, reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_DPICHANGED:
            ui->NoteDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_GETDPISCALEDSIZE:
            *reinterpret_cast<SIZE*>(lParam) = ui->ScaledWindowSize(LOWORD(wParam));
            return TRUE;
        default:
            return ColourMessage(ui, window, message, wParam, lParam);
    }
}

// A panel only holds controls: their notifications go to the main window unchanged; their
// colours come from the back end as the main window's do.
LRESULT CALLBACK PanelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND root = GetAncestor(window, GA_ROOT);
    if (root == nullptr || root == window) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_COMMAND || message == WM_NOTIFY)
        return SendMessageW(root, message, wParam, lParam);
    Win32Ui* ui = UiOf(root);
    if (ui == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return ColourMessage(ui, window, message, wParam, lParam);
}

HICON LoadProgramIcon(HINSTANCE instance, int metricX, int metricY) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ProgramIconId), IMAGE_ICON,
                                         GetSystemMetrics(metricX), GetSystemMetrics(metricY),
                                         LR_DEFAULTCOLOR));
}

struct ClassAndStyle {
    const wchar_t* className;
    DWORD style;
    DWORD extendedStyle;
};

ClassAndStyle ClassOf(ControlKind kind, Alignment alignment) {
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    switch (kind) {
        case ControlKind::PushButton:
            return {L"Button", child | WS_TABSTOP | BS_PUSHBUTTON, 0};
        case ControlKind::Panel:
            return {PanelClass, child | WS_BORDER | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
        case ControlKind::DropDownList:
            return {L"ComboBox", child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
        case ControlKind::ReportList:
            return {WC_LISTVIEWW,
                    child | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                    WS_EX_CLIENTEDGE};
        case ControlKind::Input:
            return {L"Edit", child | WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE};
        case ControlKind::Picture:
            // SS_NOTIFY lets the tooltip see the mouse over the picture.
            return {L"Static", child | SS_BITMAP | SS_NOTIFY, 0};
        case ControlKind::Label:
            break;
    }
    DWORD align = alignment == Alignment::Right    ? SS_RIGHT
                  : alignment == Alignment::Centre ? SS_CENTER
                                                   : SS_LEFT;
    return {L"Static", child | align | SS_NOPREFIX, 0};
}

}  // namespace

bool RegisterVelmoraClasses(HINSTANCE instance) {
    WNDCLASSEXW mainClass{};
    mainClass.cbSize = sizeof(mainClass);
    mainClass.lpfnWndProc = MainWindowProcedure;
    mainClass.hInstance = instance;
    mainClass.hIcon = LoadProgramIcon(instance, SM_CXICON, SM_CYICON);
    mainClass.hIconSm = LoadProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);
    mainClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    mainClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    mainClass.lpszClassName = MainWindowClass;
    if (RegisterClassExW(&mainClass) == 0) return false;

    WNDCLASSEXW panelClass{};
    panelClass.cbSize = sizeof(panelClass);
    panelClass.lpfnWndProc = PanelProcedure;
    panelClass.hInstance = instance;
    panelClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    panelClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    panelClass.lpszClassName = PanelClass;
    return RegisterClassExW(&panelClass) != 0;
}

Win32Ui::Win32Ui(HINSTANCE instance) : instance_(instance) {}

Win32Ui::~Win32Ui() {
    CloseWindow();
    EndAnnotations();
    DoSetColourScheme(ColourScheme::Light);  // frees the dark brushes
}

bool Win32Ui::DoOpenWindow(int /*windowNumber*/, int clientWidth, int clientHeight,
                           const std::u16string& title) {
    if (mainWindow_ != nullptr) return true;
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    // The window opens centred on the main monitor, at its scale.
    dpi_ = SystemDpi();
    const SIZE outer = ScaledWindowSize(dpi_);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int outerWidth = std::min<int>(outer.cx, screenWidth);
    int outerHeight = std::min<int>(outer.cy, screenHeight);
    mainWindow_ =
        CreateWindowExW(MainWindowExtendedStyle, MainWindowClass, WideText(title), MainWindowStyle,
                        (screenWidth - outerWidth) / 2, (screenHeight - outerHeight) / 2,
                        outerWidth, outerHeight, nullptr, nullptr, instance_, this);
    if (mainWindow_ == nullptr) return false;
    // Should the system have put it on a monitor of another scale, it takes that one's.
    dpi_ = WindowDpi(mainWindow_);
    if (FitClientArea()) {
        RECT outer{};
        GetWindowRect(mainWindow_, &outer);
        const int width = std::min<int>(outer.right - outer.left, screenWidth);
        const int height = std::min<int>(outer.bottom - outer.top, screenHeight);
        SetWindowPos(mainWindow_, nullptr, (screenWidth - width) / 2, (screenHeight - height) / 2,
                     0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    MakeFont();
    if (dark_) ColourWindow();
    ShowWindow(mainWindow_, SW_SHOWNORMAL);
    UpdateWindow(mainWindow_);
    return true;
}

HWND Win32Ui::ParentWindowOf(int parent) {
    if (parent == MainWindowParent) return mainWindow_;
    Win32Control* panel = ControlOf(parent, ControlKind::Panel);
    return panel != nullptr ? panel->window : nullptr;
}

void Win32Ui::DoCreateControl(int id, ControlKind kind, int parent, int x, int y, int width,
                              int height, const std::u16string& text, Alignment alignment) {
    HWND parentWindow = ParentWindowOf(parent);
    if (parentWindow == nullptr || id < 0) return;
    if (static_cast<std::size_t>(id) >= controls_.size()) controls_.resize(id + 1);
    if (controls_[id].window != nullptr) return;
    ClassAndStyle shape = ClassOf(kind, alignment);
    // A drop-down list's height is how far it opens; its closed field follows the font.
    const int shownHeight = kind == ControlKind::DropDownList ? DropDownOpenedHeight : height;
    const wchar_t* initialText = kind == ControlKind::Picture ? nullptr : WideText(text);
    HWND window =
        CreateWindowExW(shape.extendedStyle, shape.className, initialText, shape.style, Scaled(x),
                        Scaled(y), Scaled(width), Scaled(shownHeight), parentWindow,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (window == nullptr) return;
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (kind == ControlKind::ReportList) {
        DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
        SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    }
    Win32Control& control = controls_[id];
    control.window = window;
    control.kind = kind;
    control.x = x;
    control.y = y;
    control.width = width;
    control.height = height;
    if (dark_) ColourControl(control);
}

void Win32Ui::DoAddColumn(int id, const std::u16string& header, int width) {
    Win32Control* list = ControlOf(id, ControlKind::ReportList);
    if (list == nullptr) return;
    std::u16string headerText = header;
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = Scaled(width);
    column.pszText = const_cast<wchar_t*>(WideText(headerText));
    column.iSubItem = list->columns;
    LRESULT at = SendMessageW(list->window, LVM_INSERTCOLUMNW, list->columns,
                              reinterpret_cast<LPARAM>(&column));
    if (at < 0) return;
    ++list->columns;
    list->columnWidths.push_back(width);
}

void Win32Ui::CreateTooltipWindow() {
    if (tooltip_ != nullptr || mainWindow_ == nullptr) return;
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, mainWindow_, nullptr, instance_, nullptr);
    if (tooltip_ == nullptr) return;
    SetWindowPos(tooltip_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Scaled(TooltipMaximumWidth));
    if (dark_) ColourWindow();
}

void Win32Ui::DoSetTooltip(int id, const std::u16string& text) {
    Win32Control* control = AnyControlOf(id);
    if (control == nullptr) return;
    CreateTooltipWindow();
    if (tooltip_ == nullptr) return;
    std::u16string tipText = text;
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control->window);
    tool.uId = reinterpret_cast<UINT_PTR>(control->window);
    tool.hinst = instance_;
    tool.lpszText = const_cast<wchar_t*>(WideText(tipText));
    SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32Ui::DoCloseWindow() {
    ClearAnnotations();
    if (tooltip_ != nullptr) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    // Destroying the main window destroys every control with it.
    if (mainWindow_ != nullptr) DestroyWindow(mainWindow_);
    mainWindow_ = nullptr;
    savedFocus_ = nullptr;
    for (Win32Control& control : controls_) {
        if (control.bitmap != nullptr) DeleteObject(control.bitmap);
    }
    controls_.clear();
    if (font_ != nullptr) DeleteObject(font_);
    font_ = nullptr;
}

Win32Control* Win32Ui::AnyControlOf(int id) {
    if (id < 0 || static_cast<std::size_t>(id) >= controls_.size()) return nullptr;
    Win32Control& control = controls_[id];
    return control.window != nullptr ? &control : nullptr;
}

Win32Control* Win32Ui::ControlOf(int id, ControlKind kind) {
    Win32Control* control = AnyControlOf(id);
    return control != nullptr && control->kind == kind ? control : nullptr;
}
