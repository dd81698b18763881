// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 back end at the monitor's scale: the dots per inch of the screen and of the window,
// the system's dialog font at that scale, and the new places of every control, column and
// picture when the window moves to a monitor of another scale. The program's places stay at
// 96 DPI; the functions of Windows 10 are looked up at run time, and older systems get their
// one system scale.
#include "app/picture.h"
#include "app/win32/win32_ui.h"

namespace {

using GetDpiForSystemFunction = UINT(WINAPI*)();
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

struct DpiFunctions {
    GetDpiForSystemFunction forSystem = nullptr;
    GetDpiForWindowFunction forWindow = nullptr;
    AdjustForDpiFunction adjustRect = nullptr;
};

const DpiFunctions& Functions() {
    static const DpiFunctions functions = [] {
        DpiFunctions found;
        found.forSystem = SystemFunction<GetDpiForSystemFunction>(L"user32.dll", "GetDpiForSystem");
        found.forWindow = SystemFunction<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
        found.adjustRect =
            SystemFunction<AdjustForDpiFunction>(L"user32.dll", "AdjustWindowRectExForDpi");
        return found;
    }();
    return functions;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : DefaultDpi;
}

}  // namespace

int SystemDpi() {
    if (GetDpiForSystemFunction forSystem = Functions().forSystem) {
        const UINT dpi = forSystem();
        if (dpi > 0) return int(dpi);
    }
    return ScreenDpi();
}

int WindowDpi(HWND window) {
    if (GetDpiForWindowFunction forWindow = Functions().forWindow) {
        const UINT dpi = forWindow(window);
        if (dpi > 0) return int(dpi);
    }
    return SystemDpi();
}

SIZE Win32Ui::ScaledWindowSize(int dpi) const {
    RECT frame{0, 0, MulDiv(clientWidth_, dpi, DefaultDpi), MulDiv(clientHeight_, dpi, DefaultDpi)};
    AdjustForDpiFunction adjust = Functions().adjustRect;
    if (adjust == nullptr ||
        adjust(&frame, MainWindowStyle, FALSE, MainWindowExtendedStyle, UINT(dpi)) == FALSE)
        AdjustWindowRectEx(&frame, MainWindowStyle, FALSE, MainWindowExtendedStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

bool Win32Ui::FitClientArea() {
    RECT client{};
    RECT outer{};
    if (!GetClientRect(mainWindow_, &client) || !GetWindowRect(mainWindow_, &outer)) return false;
    // A frame drawn at another scale than the one asked for (or by other rules) is made up
    // for, so that the client area is exactly the program's, scaled.
    const int wider = Scaled(clientWidth_) - client.right;
    const int higher = Scaled(clientHeight_) - client.bottom;
    if (wider == 0 && higher == 0) return false;
    SetWindowPos(mainWindow_, nullptr, 0, 0, outer.right - outer.left + wider,
                 outer.bottom - outer.top + higher, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

// The dialog font of the system, as the standard dialogs show their controls and as the
// window was laid out for (its longest captions fill the 150-pixel buttons), at the window's
// scale; the stock font itself stands at the system's scale.
void Win32Ui::MakeFont() {
    LOGFONTW font{};
    HGDIOBJ stock = GetStockObject(DEFAULT_GUI_FONT);
    if (stock == nullptr || GetObjectW(stock, sizeof(font), &font) != sizeof(font)) {
        font_ = nullptr;
        return;
    }
    font.lfHeight = MulDiv(font.lfHeight, dpi_, SystemDpi());
    font_ = CreateFontIndirectW(&font);
}

void Win32Ui::PlaceControl(const Win32Control& control) {
    const int height =
        control.kind == ControlKind::DropDownList ? DropDownOpenedHeight : control.height;
    SetWindowPos(control.window, nullptr, Scaled(control.x), Scaled(control.y),
                 Scaled(control.width), Scaled(height), SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    for (std::size_t column = 0; column < control.columnWidths.size(); ++column) {
        SendMessageW(control.window, LVM_SETCOLUMNWIDTH, column,
                     MAKELPARAM(Scaled(control.columnWidths[column]), 0));
    }
}

void Win32Ui::ShowPicture(Win32Control& control) {
    const Picture& picture = control.picture;
    if (!IsUsablePicture(picture)) return;
    const int width = Scaled(picture.width);
    const int height = Scaled(picture.height);
    // The control takes the picture's size first, so the background behind it is right.
    SetWindowPos(control.window, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const bool sameSize = width == picture.width && height == picture.height;
    HBITMAP shown =
        BuildShownBitmap(control.window, sameSize ? picture : ScalePicture(picture, width, height));
    if (shown == nullptr) return;
    SendMessageW(control.window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
    if (control.bitmap != nullptr) DeleteObject(control.bitmap);
    control.bitmap = shown;
    SetWindowPos(control.window, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Ui::NoteDpiChanged(int dpi, const RECT& suggested) {
    if (mainWindow_ == nullptr || dpi <= 0) return;
    dpi_ = dpi;
    HFONT previous = font_;
    MakeFont();
    // The suggested place keeps the window on the monitor it moved to; the size is exactly
    // the client area at the new scale (WM_GETDPISCALEDSIZE told the system the same).
    const SIZE size = ScaledWindowSize(dpi_);
    SetWindowPos(mainWindow_, nullptr, suggested.left, suggested.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    FitClientArea();
    for (Win32Control& control : controls_) {
        if (control.window == nullptr) continue;
        PlaceControl(control);
        if (control.kind == ControlKind::Picture) ShowPicture(control);
    }
    if (tooltip_ != nullptr)
        SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Scaled(TooltipMaximumWidth));
    if (previous != nullptr) DeleteObject(previous);
    RedrawWindow(mainWindow_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
