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

#include <deque>
#include <string>
#include <vector>

#include "app/ui_services.h"

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

    bool OpenWindow(int windowNumber, int clientWidth, int clientHeight,
                    const std::u16string& title) override;
    void CreateControl(int id, ControlKind kind, int parent, int x, int y, int width, int height,
                       const std::u16string& text, Alignment alignment) override;
    void AddColumn(int id, const std::u16string& header, int width) override;
    void SetPicture(int id, const Picture& picture) override;
    void SetTooltip(int id, const std::u16string& text) override;

    void SetText(int id, const std::u16string& text) override;
    std::u16string GetText(int id) override;
    std::intptr_t GetState(int id) override;
    void SetState(int id, std::intptr_t index) override;
    void AddItem(int id, const std::u16string& text) override;
    void RemoveItem(int id, std::intptr_t index) override;
    void RemoveAllItems(int id) override;
    void SetEnabled(int id, bool enabled) override;

    UiEvent WaitForEvent() override;
    void ShowMessageBox(const std::u16string& title, const std::u16string& text,
                        bool fatal) override;
    void Pause(int milliseconds) override;
    void CloseWindow() override;

    // Called by the window procedures: notifications of the controls and the close request.
    void NoteCommand(int id, int code, HWND from);
    void NoteNotify(const NMHDR& header);
    void NoteCloseRequest();
    // Keeps the focused control across deactivation, as a dialog does.
    void NoteActivation(bool active);

  private:
    Win32Control* ControlOf(int id, ControlKind kind);
    Win32Control* AnyControlOf(int id);
    HWND ParentWindowOf(int parent);
    void CreateTooltipWindow();
    HBITMAP BuildShownBitmap(HWND pictureWindow, const Picture& picture);

    HINSTANCE instance_ = nullptr;
    HWND mainWindow_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND savedFocus_ = nullptr;
    HFONT font_ = nullptr;
    bool focusPlaced_ = false;
    std::vector<Win32Control> controls_;  // indexed by control id
    std::vector<HBITMAP> bitmaps_;        // owned, deleted after the window
    std::deque<UiEvent> pending_;
};

// Window classes of the main window and the bordered panels; registered once.
bool RegisterVelmoraClasses(HINSTANCE instance);
inline constexpr wchar_t MainWindowClass[] = L"VelmoraMainWindow";
inline constexpr wchar_t PanelClass[] = L"VelmoraPanel";
// The resource id of the program icon (velmora.rc).
inline constexpr int ProgramIconId = 1;
