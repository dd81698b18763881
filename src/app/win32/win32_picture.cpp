// SPDX-License-Identifier: GPL-3.0-or-later
// Shows a decoded picture in a "Static" bitmap control. Pictures with alpha are blended over
// the panel's own background (light or dark) once, when drawn at a scale. AlphaBlend (msimg32)
// and the theme services (uxtheme) are looked up at run time so the exe imports neither;
// plain GDI is the fallback. Drawing again at another scale is win32_dpi.cpp's.
#include <cstring>

#include "app/win32/win32_ui.h"

namespace {

using AlphaBlendFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                         BLENDFUNCTION);
using IsAppThemedFunction = BOOL(WINAPI*)();
using DrawThemeParentBackgroundFunction = HRESULT(WINAPI*)(HWND, HDC, const RECT*);

struct RuntimeServices {
    bool lookedUp = false;
    AlphaBlendFunction alphaBlend = nullptr;
    IsAppThemedFunction isAppThemed = nullptr;
    DrawThemeParentBackgroundFunction drawThemeParentBackground = nullptr;
};

// Loaded once and kept for the life of the process.
const RuntimeServices& Services() {
    static RuntimeServices services;
    if (services.lookedUp) return services;
    services.lookedUp = true;
    services.alphaBlend = SystemFunction<AlphaBlendFunction>(L"msimg32.dll", "AlphaBlend");
    services.isAppThemed = SystemFunction<IsAppThemedFunction>(L"uxtheme.dll", "IsAppThemed");
    services.drawThemeParentBackground = SystemFunction<DrawThemeParentBackgroundFunction>(
        L"uxtheme.dll", "DrawThemeParentBackground");
    return services;
}

HBITMAP CreateTopDownBitmap(int width, int height, int bitsPerPixel, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// Rows of a 24-bit DIB are padded to four bytes.
std::size_t RowBytes24(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
}

// What the panel shows behind the picture: the dark face in dark colours, else the theme's
// parent background when themed, otherwise the dialog face colour the panel is painted with.
void PaintBackground(HWND pictureWindow, HDC target, int width, int height, bool dark) {
    RECT area{0, 0, width, height};
    if (dark) {
        HBRUSH face = CreateSolidBrush(DarkFaceColour);
        FillRect(target, &area, face);
        DeleteObject(face);
        return;
    }
    const RuntimeServices& services = Services();
    if (services.isAppThemed != nullptr && services.drawThemeParentBackground != nullptr &&
        services.isAppThemed() &&
        services.drawThemeParentBackground(pictureWindow, target, &area) == S_OK)
        return;
    FillRect(target, &area, GetSysColorBrush(COLOR_BTNFACE));
}

void CopyOpaque(const Picture& picture, std::uint8_t* bits) {
    std::size_t stride = RowBytes24(picture.width);
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* from =
            picture.pixels.data() + static_cast<std::size_t>(y) * picture.width * 3;
        std::uint8_t* to = bits + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < picture.width; ++x, from += 3, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
}

// Plain blend over the background already in the 24-bit bits, for systems without AlphaBlend.
void BlendInPlace(const Picture& picture, std::uint8_t* bits) {
    std::size_t stride = RowBytes24(picture.width);
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* from =
            picture.pixels.data() + static_cast<std::size_t>(y) * picture.width * 4;
        std::uint8_t* to = bits + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < picture.width; ++x, from += 4, to += 3) {
            unsigned alpha = from[3];
            for (int channel = 0; channel < 3; ++channel) {
                unsigned source = from[2 - channel];
                to[channel] = static_cast<std::uint8_t>(
                    (source * alpha + to[channel] * (255 - alpha) + 127) / 255);
            }
        }
    }
}

// AlphaBlend wants premultiplied blue-green-red-alpha.
bool BlendWithGdi(const Picture& picture, HDC target) {
    AlphaBlendFunction alphaBlend = Services().alphaBlend;
    if (alphaBlend == nullptr) return false;
    void* sourceBits = nullptr;
    HBITMAP source = CreateTopDownBitmap(picture.width, picture.height, 32, &sourceBits);
    if (source == nullptr) return false;
    auto* to = static_cast<std::uint8_t*>(sourceBits);
    const std::uint8_t* from = picture.pixels.data();
    std::size_t pixelCount = static_cast<std::size_t>(picture.width) * picture.height;
    for (std::size_t i = 0; i < pixelCount; ++i, from += 4, to += 4) {
        unsigned alpha = from[3];
        to[0] = static_cast<std::uint8_t>((from[2] * alpha + 127) / 255);
        to[1] = static_cast<std::uint8_t>((from[1] * alpha + 127) / 255);
        to[2] = static_cast<std::uint8_t>((from[0] * alpha + 127) / 255);
        to[3] = static_cast<std::uint8_t>(alpha);
    }
    HDC sourceDc = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(sourceDc, source);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    BOOL blended = alphaBlend(target, 0, 0, picture.width, picture.height, sourceDc, 0, 0,
                              picture.width, picture.height, blend);
    SelectObject(sourceDc, previous);
    DeleteDC(sourceDc);
    DeleteObject(source);
    return blended != FALSE;
}

}  // namespace

HBITMAP Win32Ui::BuildShownBitmap(HWND pictureWindow, const Picture& picture) {
    void* bits = nullptr;
    HBITMAP shown = CreateTopDownBitmap(picture.width, picture.height, 24, &bits);
    if (shown == nullptr) return nullptr;
    auto* bytes = static_cast<std::uint8_t*>(bits);
    if (picture.bitsPerPixel == 24) {
        CopyOpaque(picture, bytes);
        return shown;
    }
    HDC screen = GetDC(pictureWindow);
    HDC target = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(target, shown);
    PaintBackground(pictureWindow, target, picture.width, picture.height, dark_);
    bool blended = BlendWithGdi(picture, target);
    GdiFlush();
    SelectObject(target, previous);
    DeleteDC(target);
    ReleaseDC(pictureWindow, screen);
    if (!blended) BlendInPlace(picture, bytes);
    return shown;
}

void Win32Ui::DoSetPicture(int id, const Picture& picture) {
    Win32Control* control = ControlOf(id, ControlKind::Picture);
    if (control == nullptr || !IsUsablePicture(picture)) return;
    // Kept, so that another scale or other colours can draw it again.
    control->picture = picture;
    control->width = picture.width;
    control->height = picture.height;
    ShowPicture(*control);
}
