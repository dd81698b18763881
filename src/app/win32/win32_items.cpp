// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and changing the controls by id: texts, selections, list items, enabled state.
// Which control is read when is the shell's business (app/commands.cpp, app/event_loop.cpp).

#include "app/win32/win32_ui.h"

namespace {

std::intptr_t SelectedRow(HWND list) {
    return static_cast<std::intptr_t>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SetRowSelected(HWND list, std::intptr_t row, bool selected) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::intptr_t RowCount(HWND list) {
    return static_cast<std::intptr_t>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

// One cell per column, as UiServices fits them.
void AppendRow(HWND list, const std::vector<std::u16string>& cells) {
    if (cells.empty()) return;
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(RowCount(list));
    item.pszText = const_cast<wchar_t*>(WideText(cells[0]));
    LRESULT row = SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    if (row < 0) return;
    for (std::size_t cell = 1; cell < cells.size(); ++cell) {
        LVITEMW sub{};
        sub.iSubItem = static_cast<int>(cell);
        sub.pszText = const_cast<wchar_t*>(WideText(cells[cell]));
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&sub));
    }
}

}  // namespace

void Win32Ui::DoSetText(int id, const std::u16string& text) {
    Win32Control* control = AnyControlOf(id);
    if (control == nullptr) return;
    SetWindowTextW(control->window, WideText(text));
}

std::u16string Win32Ui::DoGetText(int id) {
    Win32Control* control = AnyControlOf(id);
    if (control == nullptr) return u"";
    int length = GetWindowTextLengthW(control->window);
    if (length <= 0) return u"";
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    int copied =
        GetWindowTextW(control->window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

std::intptr_t Win32Ui::DoGetState(int id) {
    Win32Control* control = AnyControlOf(id);
    if (control == nullptr) return -1;
    if (control->kind == ControlKind::ReportList) return SelectedRow(control->window);
    if (control->kind != ControlKind::DropDownList) return -1;
    LRESULT selected = SendMessageW(control->window, CB_GETCURSEL, 0, 0);
    return selected == CB_ERR ? -1 : static_cast<std::intptr_t>(selected);
}

void Win32Ui::DoSetState(int id, std::intptr_t index) {
    Win32Control* control = AnyControlOf(id);
    if (control == nullptr) return;
    if (control->kind == ControlKind::DropDownList) {
        SendMessageW(control->window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        return;
    }
    if (control->kind != ControlKind::ReportList) return;
    SetRowSelected(control->window, -1, false);
    if (index < 0) return;
    SetRowSelected(control->window, index, true);
    SendMessageW(control->window, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

std::intptr_t Win32Ui::DoItemCount(int id) {
    Win32Control* control = AnyControlOf(id);
    if (control == nullptr) return 0;
    if (control->kind == ControlKind::ReportList) return RowCount(control->window);
    if (control->kind != ControlKind::DropDownList) return 0;
    const LRESULT count = SendMessageW(control->window, CB_GETCOUNT, 0, 0);
    return count == CB_ERR ? 0 : static_cast<std::intptr_t>(count);
}

void Win32Ui::DoAddItem(int id, const std::u16string& text) {
    Win32Control* control = AnyControlOf(id);
    if (control == nullptr) return;
    if (control->kind == ControlKind::ReportList) {
        AppendRow(control->window, ColumnCells(id, text));
        return;
    }
    if (control->kind != ControlKind::DropDownList) return;
    SendMessageW(control->window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(text)));
}

void Win32Ui::DoRemoveItem(int id, std::intptr_t index) {
    Win32Control* control = AnyControlOf(id);
    if (control == nullptr) return;
    if (control->kind == ControlKind::ReportList) {
        SendMessageW(control->window, LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
    } else if (control->kind == ControlKind::DropDownList) {
        SendMessageW(control->window, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
}

void Win32Ui::DoRemoveAllItems(int id) {
    Win32Control* control = AnyControlOf(id);
    if (control == nullptr) return;
    if (control->kind == ControlKind::ReportList) {
        SendMessageW(control->window, LVM_DELETEALLITEMS, 0, 0);
    } else if (control->kind == ControlKind::DropDownList) {
        SendMessageW(control->window, CB_RESETCONTENT, 0, 0);
    }
}

void Win32Ui::DoSetEnabled(int id, bool enabled) {
    Win32Control* control = AnyControlOf(id);
    if (control == nullptr) return;
    EnableWindow(control->window, enabled ? TRUE : FALSE);
}
