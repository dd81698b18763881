// SPDX-License-Identifier: GPL-3.0-or-later
// Reads what MSAA reports of every control of the running Velmora window, as a screen reader
// would: AccessibleObjectFromWindow on each child window, then its name, description and
// role. Writes one line per control (the children of the window and of its panels) to the
// file given, as UTF-8:
//   id <TAB> window handle (hex) <TAB> class <TAB> result of AccessibleObjectFromWindow (hex)
//   <TAB> role <TAB> name <TAB> description
// with tabs, line breaks and backslashes in texts written as \t, \n and \\. Exit status 0
// when the window was found, 1 when not within 20 s, 2 on a bad command line.
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>
// ole2.h and oleacc.h need the types of windows.h first.
#include <ole2.h>
#include <oleacc.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// Written out: the import library's IID_IAccessible is the DLL's data, not a constant here.
constexpr IID AccessibleInterface = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

std::string Utf8(const wchar_t* text, int length) {
    if (text == nullptr || length <= 0) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out += c;
        }
    }
    return out;
}

// A BSTR property as UTF-8; "" when the object has none.
template <typename Getter>
std::string TextOf(Getter get) {
    BSTR text = nullptr;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    std::string out;
    if (SUCCEEDED(get(self, &text)) && text != nullptr) {
        out = Utf8(text, int(SysStringLen(text)));
    }
    if (text != nullptr) SysFreeString(text);
    return out;
}

constexpr wchar_t PanelClass[] = L"VelmoraPanel";

// The controls only: a list view's header or a combo box's parts are no control of the table.
BOOL CALLBACK Collect(HWND window, LPARAM into) {
    HWND parent = GetParent(window);
    wchar_t parentClass[64] = {};
    GetClassNameW(parent, parentClass, 64);
    if (parent == GetAncestor(window, GA_ROOT) || wcscmp(parentClass, PanelClass) == 0) {
        reinterpret_cast<std::vector<HWND>*>(into)->push_back(window);
    }
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora_msaa_probe OUTPUT-FILE\n");
        return 2;
    }
    HWND main = nullptr;
    for (int tries = 0; tries < 200 && main == nullptr; ++tries) {
        main = FindWindowW(L"VelmoraMainWindow", nullptr);
        if (main == nullptr) Sleep(100);
    }
    if (main == nullptr) return 1;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::vector<HWND> children;  // every descendant, the panels' controls included
    EnumChildWindows(main, Collect, reinterpret_cast<LPARAM>(&children));
    std::string report;
    for (HWND child : children) {
        wchar_t className[64] = {};
        GetClassNameW(child, className, 64);
        IAccessible* accessible = nullptr;
        std::string name, description;
        long role = -1;
        const HRESULT found = AccessibleObjectFromWindow(
            child, DWORD(OBJID_CLIENT), AccessibleInterface, reinterpret_cast<void**>(&accessible));
        if (SUCCEEDED(found) && accessible != nullptr) {
            name = TextOf(
                [&](VARIANT self, BSTR* text) { return accessible->get_accName(self, text); });
            description = TextOf([&](VARIANT self, BSTR* text) {
                return accessible->get_accDescription(self, text);
            });
            VARIANT self, value;
            VariantInit(&self);
            VariantInit(&value);
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            if (SUCCEEDED(accessible->get_accRole(self, &value)) && value.vt == VT_I4)
                role = value.lVal;
            VariantClear(&value);
            accessible->Release();
        }
        char handle[32], result[16];
        std::snprintf(handle, sizeof handle, "%d\t%llx\t", GetDlgCtrlID(child),
                      static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(child)));
        std::snprintf(result, sizeof result, "\t%08lx\t", static_cast<unsigned long>(found));
        report += handle + Utf8(className, int(wcslen(className))) + result + std::to_string(role) +
                  "\t" + Escaped(name) + "\t" + Escaped(description) + "\n";
    }
    CoUninitialize();
    FILE* out = _wfopen(argv[1], L"wb");
    if (out == nullptr) return 1;
    std::fwrite(report.data(), 1, report.size(), out);
    std::fclose(out);
    return 0;
}
