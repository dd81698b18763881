// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 back end of UiServices: standard controls on one top-level window, addressed by
// the program's control ids, placed at the monitor's scale and shown in light or dark
// colours. What the controls mean is left to the shell (app/).
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "app/ui_services.h"

struct IAccPropServices;

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 text is UTF-16, as the program's");

inline const wchar_t* WideText(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// A function of a system library, looked up at run time so that the exe does not import it
// (the library stays loaded); nullptr when the library or the function is missing.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (module == nullptr) module = LoadLibraryW(library);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The pixels of one display unit: the program's places are at 96 dots per inch.
inline constexpr int DefaultDpi = 96;
// Tooltips wrap at this width (at 96 DPI) instead of running off the screen.
inline constexpr int TooltipMaximumWidth = 400;

struct Win32Control {
    HWND window = nullptr;
    ControlKind kind = ControlKind::Label;
    int columns = 0;  // report list only
    // The place the program gave, at 96 DPI, in its parent's inner area; shown scaled.
    int x = 0, y = 0, width = 0, height = 0;
    std::vector<int> columnWidths;  // report list, at 96 DPI
    Picture picture;                // picture control: the picture as set, drawn at each scale
    HBITMAP bitmap = nullptr;       // picture control: what it shows, owned
};

class Win32Ui : public UiServices {
  public:
    explicit Win32Ui(HINSTANCE instance);
    ~Win32Ui() override;

    void Pause(int milliseconds) override;

    // Called by the window procedures: notifications of the controls and the close request.
    void NoteCommand(int id, int code, HWND from);
    void NoteNotify(const NMHDR& header);
    void NoteCloseRequest();
    // Keeps the focused control across deactivation, as a dialog does.
    // `other` is the window that loses (or gains) the activation, when the system names one.
    void NoteActivation(bool active, HWND other);
    // WM_CONTEXTMENU of the window or a control that leaves it to the window: shows the menu
    // at the screen position (-1, -1 from the keyboard) and raises the item chosen.
    void NoteContextMenu(HWND from, int x, int y);
    // WM_DPICHANGED: the window moved to a monitor of another scale; it takes the suggested
    // place, and every control, the font and the pictures follow the new scale.
    void NoteDpiChanged(int dpi, const RECT& suggested);
    // WM_GETDPISCALEDSIZE: the window's outer size at that scale.
    SIZE ScaledWindowSize(int dpi) const;
    // WM_CTLCOLOR*: in dark colours the brush for the control's background (its text and
    // background colours set in the device context); nullptr leaves it to the system.
    HBRUSH ControlBrush(UINT message, HDC context, HWND control);
    // WM_ERASEBKGND of the window or a panel: true when painted here (dark colours).
    bool EraseBackground(HWND window, HDC context);

    // The scale the window is shown at, in dots per inch.
    int Dpi() const { return dpi_; }

  protected:
    void WaitForMoreEvents() override;
    bool DoOpenWindow(int windowNumber, int clientWidth, int clientHeight,
                      const std::u16string& title) override;
    void DoCreateControl(int id, ControlKind kind, int parent, int x, int y, int width, int height,
                         const std::u16string& text, Alignment alignment) override;
    void DoAddColumn(int id, const std::u16string& header, int width) override;
    void DoSetPicture(int id, const Picture& picture) override;
    void DoSetTooltip(int id, const std::u16string& text) override;
    void DoSetAccessibleText(int id, const AccessibleText& text) override;
    void DoSetText(int id, const std::u16string& text) override;
    std::u16string DoGetText(int id) override;
    std::intptr_t DoGetState(int id) override;
    void DoSetState(int id, std::intptr_t index) override;
    std::intptr_t DoItemCount(int id) override;
    void DoAddItem(int id, const std::u16string& text) override;
    void DoRemoveItem(int id, std::intptr_t index) override;
    void DoRemoveAllItems(int id) override;
    void DoSetEnabled(int id, bool enabled) override;
    std::u16string DoGetClipboardText() override;
    void DoSetClipboardText(const std::u16string& text) override;
    bool DoOpenFile(const std::u16string& path) override;
    std::optional<std::u16string> DoChooseFileToOpen(const OpenFileRequest& request) override;
    bool DoIsWindowActive() override;
    void DoShowMessageBox(const std::u16string& title, const std::u16string& text, bool fatal,
                          bool ownedByWindow) override;
    void DoCloseWindow() override;
    bool DoDesktopPrefersDark() override;
    void DoSetColourScheme(ColourScheme scheme) override;

  private:
    // A key press of the main window that is a command with the focus where it is: raised,
    // and true, so that the message loop keeps it from the control.
    bool TakeKeyDown(const MSG& message);
    Win32Control* ControlOf(int id, ControlKind kind);
    Win32Control* AnyControlOf(int id);
    HWND ParentWindowOf(int parent);
    void CreateTooltipWindow();
    HBITMAP BuildShownBitmap(HWND pictureWindow, const Picture& picture);
    // The MSAA annotation service (win32_access.cpp): started on first use, false when COM
    // or the service is missing; the annotations go before the windows, COM at the end.
    bool StartAnnotations();
    void ClearAnnotations();
    void EndAnnotations();
    // A value at 96 DPI at the window's scale, rounded once.
    int Scaled(int value) const { return MulDiv(value, dpi_, DefaultDpi); }
    // win32_dpi.cpp: the font at the current scale, a control's scaled place and columns,
    // the pictures drawn again.
    void MakeFont();
    // The window's outer size corrected until the client area is exactly the scaled one;
    // true when it had to change.
    bool FitClientArea();
    void PlaceControl(const Win32Control& control);
    void ShowPicture(Win32Control& control);
    // win32_colours.cpp: the colours of one control, as it is made or when they change.
    void ColourControl(const Win32Control& control);
    void ColourWindow();

    HINSTANCE instance_ = nullptr;
    HWND mainWindow_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND savedFocus_ = nullptr;
    HFONT font_ = nullptr;  // owned, made for dpi_
    int dpi_ = DefaultDpi;
    int clientWidth_ = 0;  // at 96 DPI
    int clientHeight_ = 0;
    bool focusPlaced_ = false;
    bool dark_ = false;
    HBRUSH faceBrush_ = nullptr;          // dark colours: window, panels, labels; owned
    HBRUSH fieldBrush_ = nullptr;         // dark colours: input fields and lists; owned
    std::vector<Win32Control> controls_;  // indexed by control id
    std::vector<HBITMAP> bitmaps_;        // owned, deleted after the window
    IAccPropServices* annotations_ = nullptr;
    bool annotationsTried_ = false;
    bool comStarted_ = false;
    std::vector<HWND> annotated_;  // the windows that carry annotations
};

// The window's colours in dark mode (Windows keeps no system colours for them).
inline constexpr COLORREF DarkFaceColour = RGB(32, 32, 32);
inline constexpr COLORREF DarkFieldColour = RGB(25, 25, 25);
inline constexpr COLORREF DarkTextColour = RGB(235, 235, 235);
inline constexpr COLORREF DarkDisabledTextColour = RGB(128, 128, 128);

// win32_dpi.cpp: the scale of the main monitor, and of the monitor a window is on (both 96
// where the system knows no other).
int SystemDpi();
int WindowDpi(HWND window);

// Window classes of the main window and the bordered panels; registered once.
bool RegisterVelmoraClasses(HINSTANCE instance);
inline constexpr DWORD MainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
inline constexpr DWORD MainWindowExtendedStyle = WS_EX_CONTROLPARENT;
inline constexpr wchar_t MainWindowClass[] = L"VelmoraMainWindow";
inline constexpr wchar_t PanelClass[] = L"VelmoraPanel";
// The resource id of the program icon (velmora.rc).
inline constexpr int ProgramIconId = 1;
