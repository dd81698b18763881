// SPDX-License-Identifier: GPL-3.0-or-later
// A test helper run beside the program under Wine: prints where the running program's main
// window and controls are, in the pixels of the screen, as one line of JSON:
// {"client":[W,H],"controls":[{"id":..,"parent":..,"x":..,"y":..,"width":..,"height":..},..],
//  "columns":[..]}. Places are in the parent's client area, parent -1 being the main window;
// columns are the widths of the report list's columns. Exit status 1 when no window is found.
#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Found {
    HWND main = nullptr;
    std::string controls;
    std::string columns;
};

BOOL CALLBACK NoteControl(HWND window, LPARAM data) {
    Found& found = *reinterpret_cast<Found*>(data);
    const int id = GetDlgCtrlID(window);
    HWND parent = GetParent(window);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    // Only the program's controls: the list's header and the combos' parts are their own.
    if (parent != found.main && GetParent(parent) != found.main) return TRUE;
    RECT place{};
    GetWindowRect(window, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    const int parentId = parent == found.main ? -1 : GetDlgCtrlID(parent);
    char line[200];
    std::snprintf(line, sizeof(line),
                  "%s{\"id\":%d,\"parent\":%d,\"x\":%ld,\"y\":%ld,\"width\":%ld,\"height\":%ld}",
                  found.controls.empty() ? "" : ",", id, parentId, place.left, place.top,
                  place.right - place.left, place.bottom - place.top);
    found.controls += line;
    if (lstrcmpiW(className, WC_LISTVIEWW) == 0) {
        for (int column = 0;; ++column) {
            const LRESULT width = SendMessageW(window, LVM_GETCOLUMNWIDTH, column, 0);
            if (width <= 0) break;
            if (!found.columns.empty()) found.columns += ',';
            found.columns += std::to_string(width);
        }
    }
    return TRUE;
}

}  // namespace

int main() {
    // The screen's own pixels, not a 96-DPI picture of them.
    SetProcessDPIAware();
    Found found;
    found.main = FindWindowW(L"VelmoraMainWindow", nullptr);
    if (found.main == nullptr) {
        std::fputs("no Velmora window\n", stderr);
        return 1;
    }
    EnumChildWindows(found.main, NoteControl, reinterpret_cast<LPARAM>(&found));
    RECT client{};
    GetClientRect(found.main, &client);
    std::printf("{\"client\":[%ld,%ld],\"controls\":[%s],\"columns\":[%s]}\n", client.right,
                client.bottom, found.controls.c_str(), found.columns.c_str());
    return 0;
}
