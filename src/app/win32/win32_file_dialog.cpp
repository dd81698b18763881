// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 back end's open-file dialog (GetOpenFileNameW). Comdlg32 is looked up at run time,
// as shell32 is, so the exe imports nothing beyond the system's user-interface libraries; the
// dialog leaves the current folder alone, which is the program's data folder.
#include "app/win32/win32_ui.h"
// commdlg.h needs the types of windows.h first.
#include <commdlg.h>

namespace {

using GetOpenFileNameFunction = BOOL(WINAPI*)(LPOPENFILENAMEW);

GetOpenFileNameFunction LookUpGetOpenFileName() {
    static const GetOpenFileNameFunction function =
        SystemFunction<GetOpenFileNameFunction>(L"comdlg32.dll", "GetOpenFileNameW");
    return function;
}

// Long paths (\\?\ prefixed ones too) fit.
constexpr std::size_t MostPathUnits = 32768;

}  // namespace

std::optional<std::u16string> Win32Ui::DoChooseFileToOpen(const OpenFileRequest& request) {
    GetOpenFileNameFunction getOpenFileName = LookUpGetOpenFileName();
    if (getOpenFileName == nullptr) return std::nullopt;
    // Pairs of a name and its pattern, each ended by a NUL, the list by one more.
    std::u16string filter = request.filterName + u" (" + request.pattern + u")";
    filter.push_back(u'\0');
    filter += request.pattern;
    filter.push_back(u'\0');
    filter += u"*.*";
    filter.push_back(u'\0');
    filter += u"*.*";
    filter.push_back(u'\0');
    std::u16string path(MostPathUnits, u'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = mainWindow_;
    dialog.lpstrFilter = reinterpret_cast<const wchar_t*>(filter.c_str());
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = reinterpret_cast<wchar_t*>(path.data());
    dialog.nMaxFile = DWORD(path.size());
    dialog.lpstrTitle = WideText(request.title);
    dialog.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!getOpenFileName(&dialog)) return std::nullopt;
    path.resize(path.find(u'\0'));
    return path;
}
