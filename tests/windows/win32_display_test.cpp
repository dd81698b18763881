// SPDX-License-Identifier: GPL-3.0-or-later
// The Win32 back end at another display scale and in dark colours: after WM_DPICHANGED every
// control, column, picture and the font follow the new scale from the 96-DPI places, and come
// back exactly; dark colours give the window, panels, labels, fields and the list dark
// backgrounds and light text, light leaves the system's own; the desktop's preference is read
// from AppsUseLightTheme.
#include <gtest/gtest.h>

#include <vector>

#include "app/win32/win32_ui.h"

namespace {

constexpr int PanelId = 1;
constexpr int FieldId = 8;
constexpr int LabelId = 19;
constexpr int ComboId = 3;
constexpr int ListId = 10;
constexpr int SmallPictureId = 14;
constexpr int BigPictureId = 15;

struct Place {
    int id;
    int parent;
    ControlKind kind;
    int x, y, width, height;
};

// A few rows of the program's window table, one of every kind that has a place of its own.
const Place Places[] = {
    {PanelId, MainWindowParent, ControlKind::Panel, 250, 10, 400, 190},
    {ComboId, PanelId, ControlKind::DropDownList, 169, 9, 220, 20},
    {FieldId, PanelId, ControlKind::Input, 269, 39, 120, 20},
    {LabelId, PanelId, ControlKind::Label, 169, 39, 90, 20},
    {ListId, MainWindowParent, ControlKind::ReportList, 9, 39, 210, 140},
    {SmallPictureId, PanelId, ControlKind::Picture, 19, 129, 130, 50},
    {BigPictureId, PanelId, ControlKind::Picture, 169, 99, 220, 80},
};
const int ColumnWidths[] = {100, 50, 56};

Picture SolidPicture(int width, int height, int bits, std::uint8_t alpha) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.bitsPerPixel = bits;
    for (int i = 0; i < width * height; ++i) {
        picture.pixels.insert(picture.pixels.end(), {200, 60, 30});
        if (bits == 32) picture.pixels.push_back(alpha);
    }
    return picture;
}

int Scale(int value, int dpi) {
    return MulDiv(value, dpi, DefaultDpi);
}

// A window's place in its parent's client area.
RECT PlaceInParent(HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

SIZE BitmapSize(HWND picture) {
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof(info), &info) == 0) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

COLORREF BrushColour(LRESULT brush) {
    LOGBRUSH info{};
    GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof(info), &info);
    return info.lbColor;
}

class Win32Display : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES;
        InitCommonControlsEx(&controls);
        RegisterVelmoraClasses(GetModuleHandleW(nullptr));
    }

    void Open() {
        ASSERT_TRUE(ui.OpenWindow(0, 656, 236, u"Velmora display test"));
        window = FindWindowW(MainWindowClass, L"Velmora display test");
        ASSERT_NE(window, nullptr);
        for (const Place& place : Places) {
            ui.CreateControl(place.id, place.kind, place.parent, place.x, place.y, place.width,
                             place.height, place.kind == ControlKind::Label ? u"Name:" : u"");
        }
        for (int width : ColumnWidths) ui.AddColumn(ListId, u"Unit", width);
        ui.AddItem(ListId, u"Plank\n3 - 60\nhold");
        // Half of the small picture is transparent, the big one is opaque.
        Picture small = SolidPicture(130, 50, 32, 255);
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 65; ++x) small.pixels[std::size_t(y * 130 + x) * 4 + 3] = 0;
        ui.SetPicture(SmallPictureId, small);
        ui.SetPicture(BigPictureId, SolidPicture(220, 80, 24, 255));
    }

    HWND Control(int id) {
        HWND direct = GetDlgItem(window, id);
        return direct != nullptr ? direct : GetDlgItem(GetDlgItem(window, PanelId), id);
    }

    // Every place, column and picture as the window shows them at that scale.
    void ExpectScale(int dpi) {
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, Scale(656, dpi));
        EXPECT_EQ(client.bottom, Scale(236, dpi));
        for (const Place& place : Places) {
            SCOPED_TRACE("control " + std::to_string(place.id));
            const RECT shown = PlaceInParent(Control(place.id));
            EXPECT_EQ(shown.left, Scale(place.x, dpi));
            EXPECT_EQ(shown.top, Scale(place.y, dpi));
            EXPECT_EQ(shown.right - shown.left, Scale(place.width, dpi));
            // A closed drop-down list is as high as its font makes it.
            if (place.kind != ControlKind::DropDownList) {
                EXPECT_EQ(shown.bottom - shown.top, Scale(place.height, dpi));
            }
            if (place.kind == ControlKind::Picture) {
                const SIZE bitmap = BitmapSize(Control(place.id));
                EXPECT_EQ(bitmap.cx, Scale(place.width, dpi));
                EXPECT_EQ(bitmap.cy, Scale(place.height, dpi));
            }
        }
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(SendMessageW(Control(ListId), LVM_GETCOLUMNWIDTH, column, 0),
                      Scale(ColumnWidths[column], dpi));
        }
    }

    int FontHeight(int id) {
        auto font = reinterpret_cast<HFONT>(SendMessageW(Control(id), WM_GETFONT, 0, 0));
        LOGFONTW info{};
        if (font == nullptr || GetObjectW(font, sizeof(info), &info) == 0) return 0;
        return info.lfHeight;
    }

    void MoveToScale(int dpi, int left, int top) {
        const SIZE outer = ui.ScaledWindowSize(dpi);
        RECT suggested{left, top, left + outer.cx, top + outer.cy};
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    }

    Win32Ui ui{GetModuleHandleW(nullptr)};
    HWND window = nullptr;
};

TEST_F(Win32Display, EveryPlaceFollowsTheMonitorsScaleAndComesBackExactly) {
    Open();
    const int startDpi = ui.Dpi();
    EXPECT_EQ(startDpi, SystemDpi()) << "opened at the main monitor's scale";
    ExpectScale(startDpi);
    const int startFont = FontHeight(FieldId);
    ASSERT_NE(startFont, 0);

    SIZE asked{};
    ASSERT_TRUE(SendMessageW(window, WM_GETDPISCALEDSIZE, MAKEWPARAM(144, 144),
                             reinterpret_cast<LPARAM>(&asked)));
    MoveToScale(144, 40, 30);
    EXPECT_EQ(ui.Dpi(), 144);
    {
        SCOPED_TRACE("at 144 DPI");
        ExpectScale(144);
    }
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.left, 40) << "at the suggested place";
    EXPECT_EQ(outer.top, 30);
    // The size told the system: the scaled client area with the frame at that scale.
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    RECT frame{0, 0, 984, 354};
    if (auto adjust = SystemFunction<AdjustForDpi>(L"user32.dll", "AdjustWindowRectExForDpi")) {
        adjust(&frame, MainWindowStyle, FALSE, MainWindowExtendedStyle, 144);
    } else {
        AdjustWindowRectEx(&frame, MainWindowStyle, FALSE, MainWindowExtendedStyle);
    }
    EXPECT_EQ(asked.cx, frame.right - frame.left);
    EXPECT_EQ(asked.cy, frame.bottom - frame.top);
    // The dialog font at one and a half times the scale, every control with it.
    EXPECT_NEAR(double(FontHeight(FieldId)), startFont * 144.0 / startDpi, 1.0);
    EXPECT_EQ(FontHeight(ListId), FontHeight(FieldId));
    EXPECT_EQ(FontHeight(LabelId), FontHeight(FieldId));

    // One and a quarter: every value rounded on its own (9 -> 11, 39 -> 49, 169 -> 211).
    MoveToScale(120, 0, 0);
    {
        SCOPED_TRACE("at 120 DPI");
        ExpectScale(120);
    }
    MoveToScale(startDpi, 40, 30);
    {
        SCOPED_TRACE("back at the start");
        ExpectScale(startDpi);
    }
    EXPECT_EQ(FontHeight(FieldId), startFont);
}

TEST_F(Win32Display, DarkColoursGiveDarkBackgroundsAndLightLeavesTheSystemsOwn) {
    Open();
    HWND panel = Control(PanelId);
    HDC context = CreateCompatibleDC(nullptr);
    HBITMAP canvas = CreateCompatibleBitmap(GetDC(nullptr), 20, 20);
    HGDIOBJ previous = SelectObject(context, canvas);
    auto ask = [&](UINT message, int from) {
        return SendMessageW(panel, message, reinterpret_cast<WPARAM>(context),
                            reinterpret_cast<LPARAM>(Control(from)));
    };
    // Light as the system has it: the panel answers as its default procedure does.
    const LRESULT systemLabel =
        DefWindowProcW(panel, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(context),
                       reinterpret_cast<LPARAM>(Control(LabelId)));
    EXPECT_EQ(ask(WM_CTLCOLORSTATIC, LabelId), systemLabel);
    EXPECT_EQ(COLORREF(SendMessageW(Control(ListId), LVM_GETBKCOLOR, 0, 0)),
              GetSysColor(COLOR_WINDOW));

    ui.SetColourScheme(ColourScheme::Dark);
    EXPECT_EQ(BrushColour(ask(WM_CTLCOLORSTATIC, LabelId)), DarkFaceColour);
    EXPECT_EQ(GetTextColor(context), DarkTextColour);
    EXPECT_EQ(GetBkColor(context), DarkFaceColour);
    EXPECT_EQ(BrushColour(ask(WM_CTLCOLOREDIT, FieldId)), DarkFieldColour);
    EXPECT_EQ(GetBkColor(context), DarkFieldColour);
    EXPECT_EQ(BrushColour(ask(WM_CTLCOLORLISTBOX, ComboId)), DarkFieldColour);
    EnableWindow(Control(FieldId), FALSE);
    EXPECT_EQ(BrushColour(ask(WM_CTLCOLORSTATIC, FieldId)), DarkFaceColour) << "disabled field";
    EXPECT_EQ(GetTextColor(context), DarkDisabledTextColour);
    EXPECT_EQ(COLORREF(SendMessageW(Control(ListId), LVM_GETBKCOLOR, 0, 0)), DarkFieldColour);
    EXPECT_EQ(COLORREF(SendMessageW(Control(ListId), LVM_GETTEXTCOLOR, 0, 0)), DarkTextColour);
    for (HWND erased : {window, panel}) {
        EXPECT_EQ(SendMessageW(erased, WM_ERASEBKGND, reinterpret_cast<WPARAM>(context), 0), 1);
        EXPECT_EQ(GetPixel(context, 5, 5), DarkFaceColour);
    }
    // The transparent half of the small picture shows the dark face, the rest its colour.
    auto pictureBitmap = reinterpret_cast<HBITMAP>(
        SendMessageW(Control(SmallPictureId), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(pictureBitmap, nullptr);
    SelectObject(context, pictureBitmap);
    const int dpi = ui.Dpi();
    EXPECT_EQ(GetPixel(context, Scale(10, dpi), Scale(25, dpi)), DarkFaceColour);
    EXPECT_EQ(GetPixel(context, Scale(120, dpi), Scale(25, dpi)), RGB(200, 60, 30));
    SelectObject(context, canvas);

    ui.SetColourScheme(ColourScheme::Light);
    EXPECT_EQ(ask(WM_CTLCOLORSTATIC, LabelId), systemLabel);
    EXPECT_EQ(COLORREF(SendMessageW(Control(ListId), LVM_GETBKCOLOR, 0, 0)),
              GetSysColor(COLOR_WINDOW));
    SendMessageW(panel, WM_ERASEBKGND, reinterpret_cast<WPARAM>(context), 0);
    EXPECT_EQ(GetPixel(context, 5, 5), GetSysColor(COLOR_BTNFACE));
    SelectObject(context, previous);
    DeleteObject(canvas);
    DeleteDC(context);
}

TEST_F(Win32Display, DesktopPrefersDarkWhereAppsUseLightThemeIsZero) {
    constexpr wchar_t Key[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
    struct Row {
        const char* name;
        DWORD type;  // REG_NONE: no value at all
        DWORD value;
        bool dark;
    };
    const Row rows[] = {
        {"no value", REG_NONE, 0, false},
        {"0 is dark", REG_DWORD, 0, true},
        {"1 is light", REG_DWORD, 1, false},
        {"another number is light", REG_DWORD, 2, false},
        {"a text is not the setting", REG_SZ, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RegDeleteKeyValueW(HKEY_CURRENT_USER, Key, L"AppsUseLightTheme");
        if (row.type == REG_DWORD) {
            ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, Key, L"AppsUseLightTheme", REG_DWORD,
                                      &row.value, sizeof(row.value)),
                      ERROR_SUCCESS);
        } else if (row.type == REG_SZ) {
            ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, Key, L"AppsUseLightTheme", REG_SZ, L"0",
                                      2 * sizeof(wchar_t)),
                      ERROR_SUCCESS);
        }
        EXPECT_EQ(ui.DesktopPrefersDark(), row.dark);
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, Key, L"AppsUseLightTheme");
}

}  // namespace
