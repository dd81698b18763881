// The Win32 back end of UiServices: standard controls on one top-level window, addressed by
// the program's control ids. What the controls mean is left to the shell (app/).
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

struct Win32Control {
    HWND window = nullptr;
    ControlKind kind = ControlKind::Label;
    int columns = 0;  // report list only
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
    void NoteActivation(bool active);
    // WM_CONTEXTMENU of the window or a control that leaves it to the window: shows the menu
    // at the screen position (-1, -1 from the keyboard) and raises the item chosen.
    void NoteContextMenu(HWND from, int x, int y);

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

    HINSTANCE instance_ = nullptr;
    HWND mainWindow_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND savedFocus_ = nullptr;
    HFONT font_ = nullptr;
    bool focusPlaced_ = false;
    std::vector<Win32Control> controls_;  // indexed by control id
    std::vector<HBITMAP> bitmaps_;        // owned, deleted after the window
    IAccPropServices* annotations_ = nullptr;
    bool annotationsTried_ = false;
    bool comStarted_ = false;
    std::vector<HWND> annotated_;  // the windows that carry annotations
};

// Window classes of the main window and the bordered panels; registered once.
bool RegisterVelmoraClasses(HINSTANCE instance);
inline constexpr wchar_t MainWindowClass[] = L"VelmoraMainWindow";
inline constexpr wchar_t PanelClass[] = L"VelmoraPanel";
// The resource id of the program icon (velmora.rc).
inline constexpr int ProgramIconId = 1;
