// SPDX-License-Identifier: GPL-3.0-or-later
// The message loop as the program sees it: control notifications become control events by
// id, command keys become key events before a control sees them, the close box becomes the
// close request, everything else is dispatched and ignored.
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

KeyStroke StrokeOf(WPARAM virtualKey) {
    KeyStroke stroke;
    switch (virtualKey) {
        case 'S':
            stroke.key = KeyName::S;
            break;
        case 'Z':
            stroke.key = KeyName::Z;
            break;
        case 'Y':
            stroke.key = KeyName::Y;
            break;
        case 'C':
            stroke.key = KeyName::C;
            break;
        case 'X':
            stroke.key = KeyName::X;
            break;
        case 'V':
            stroke.key = KeyName::V;
            break;
        case VK_DELETE:
            stroke.key = KeyName::Delete;
            break;
        default:
            break;
    }
    // The state as it was when this message was posted; AltGr reads as Ctrl+Alt.
    stroke.control = GetKeyState(VK_CONTROL) < 0;
    stroke.shift = GetKeyState(VK_SHIFT) < 0;
    stroke.alt = GetKeyState(VK_MENU) < 0;
    return stroke;
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

bool Win32Ui::TakeKeyDown(const MSG& message) {
    if (mainWindow_ == nullptr || message.message != WM_KEYDOWN) return false;
    if (message.hwnd != mainWindow_ && !IsChild(mainWindow_, message.hwnd)) return false;
    int focusedId = -1;
    std::optional<ControlKind> focusedKind;
    HWND focus = GetFocus();
    Win32Control* control = focus != nullptr ? AnyControlOf(GetDlgCtrlID(focus)) : nullptr;
    if (control != nullptr && control->window == focus) {
        focusedId = GetDlgCtrlID(focus);
        focusedKind = control->kind;
    }
    return OfferKey(focusedId, focusedKind, StrokeOf(message.wParam));
}

void Win32Ui::NoteActivation(bool active, HWND other) {
    if (mainWindow_ == nullptr) return;
    // Coming back from another program's window (not from a box of this program's own
    // thread) is when the data files may have changed meanwhile.
    if (active &&
        (other == nullptr || GetWindowThreadProcessId(other, nullptr) != GetCurrentThreadId()))
        NoteWindowActivated();
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
        // Before the dialog manager and the control: a command key never reaches the control.
        if (TakeKeyDown(message)) continue;
        // Tab and Shift+Tab walk the controls in creation order.
        if (mainWindow_ != nullptr && IsDialogMessageW(mainWindow_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool Win32Ui::DoIsWindowActive() {
    return mainWindow_ != nullptr && GetForegroundWindow() == mainWindow_;
}

void Win32Ui::DoShowMessageBox(const std::u16string& title, const std::u16string& text,
                               bool /*fatal*/, bool ownedByWindow) {
    HWND owner = ownedByWindow ? mainWindow_ : nullptr;
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
