// The message loop as the program sees it: control notifications become control events by
// id, the close box becomes the close request, everything else is dispatched and ignored.
// Notifications that the program's own changes cause are dropped by UiServices.
// What each event does is left to the shell's event loop (app/event_loop.cpp).

#include "app/win32/win32_ui.h"

namespace {

bool IsControlEventCode(ControlKind kind, int code) {
    switch (kind) {
        case ControlKind::PushButton:
            return code == BN_CLICKED;
        case ControlKind::DropDownList:
            return code == CBN_SELCHANGE || code == CBN_SETFOCUS || code == CBN_KILLFOCUS ||
                   code == CBN_DROPDOWN || code == CBN_CLOSEUP;
        case ControlKind::Input:
            return code == EN_CHANGE || code == EN_SETFOCUS || code == EN_KILLFOCUS;
        default:
            return false;
    }
}

bool IsListEventCode(UINT code) {
    return code == NM_CLICK || code == NM_DBLCLK || code == NM_RCLICK || code == NM_RETURN ||
           code == NM_SETFOCUS || code == NM_KILLFOCUS || code == LVN_ITEMCHANGED;
}

UiEvent ControlEvent(int id) {
    UiEvent event;
    event.kind = UiEvent::Kind::Control;
    event.controlId = id;
    return event;
}

}  // namespace

void Win32Ui::NoteCommand(int id, int code, HWND from) {
    // Only a notification sent by the control registered under that id counts: the dialog
    // manager's own IDOK/IDCANCEL commands (Return, Escape) carry no such control.
    Win32Control* control = AnyControlOf(id);
    if (control == nullptr || from == nullptr || control->window != from) return;
    if (IsControlEventCode(control->kind, code)) RaiseEvent(ControlEvent(id));
}

void Win32Ui::NoteNotify(const NMHDR& header) {
    int id = static_cast<int>(header.idFrom);
    Win32Control* control = AnyControlOf(id);
    if (control == nullptr || control->window != header.hwndFrom) return;
    if (control->kind == ControlKind::ReportList && IsListEventCode(header.code))
        RaiseEvent(ControlEvent(id));
}

void Win32Ui::NoteCloseRequest() {
    UiEvent event;
    event.kind = UiEvent::Kind::CloseRequest;
    RaiseEvent(event);
}

void Win32Ui::NoteActivation(bool active) {
    if (mainWindow_ == nullptr) return;
    if (!active) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(mainWindow_, focus)) savedFocus_ = focus;
        return;
    }
    if (savedFocus_ != nullptr && IsWindow(savedFocus_) && IsWindowEnabled(savedFocus_))
        SetFocus(savedFocus_);
}

void Win32Ui::WaitForMoreEvents() {
    if (mainWindow_ != nullptr && !focusPlaced_) {
        // Like a dialog, the first control that takes the focus starts with it.
        focusPlaced_ = true;
        HWND first = GetNextDlgTabItem(mainWindow_, nullptr, FALSE);
        if (first != nullptr && GetForegroundWindow() == mainWindow_) SetFocus(first);
    }
    while (!HasWaitingEvents()) {
        MSG message;
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // WM_QUIT or a broken queue: nothing more will come, so end like a close.
            NoteCloseRequest();
            break;
        }
        // Tab and Shift+Tab walk the controls in creation order.
        if (mainWindow_ != nullptr && IsDialogMessageW(mainWindow_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32Ui::ShowMessageBox(const std::u16string& title, const std::u16string& text,
                             bool /*fatal*/) {
    HWND owner =
        mainWindow_ != nullptr && GetForegroundWindow() == mainWindow_ ? mainWindow_ : nullptr;
    // Without an owner the box still keeps the thread's windows from taking input.
    UINT style = MB_OK | (owner == nullptr ? MB_TASKMODAL : 0);
    MessageBoxW(owner, WideText(text), WideText(title), style);
}

void Win32Ui::Pause(int milliseconds) {
    // The save button's new text must be on the screen before the thread sleeps.
    if (mainWindow_ != nullptr) {
        for (Win32Control& control : controls_) {
            if (control.window != nullptr) UpdateWindow(control.window);
        }
        UpdateWindow(mainWindow_);
        GdiFlush();
    }
    if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}
