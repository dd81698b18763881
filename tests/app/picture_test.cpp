// SPDX-License-Identifier: GPL-3.0-or-later
// Picture decoding: every accepted PNG, bitmap and icon variant with its pixel format and
// orientation, and a table of broken, truncated and oversized files that must not load; the
// resampling to another size.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <functional>

#include "app/app_test_support.h"
#include "app/picture.h"

namespace {

using apptest::Bytes;
using apptest::DibSpec;
using apptest::MakeBmp;
using apptest::MakeIcon;
using apptest::MakeIconDib;
using apptest::MakePng;
using apptest::MakeSimplePng;
using apptest::PngSpec;

struct Rgba {
    int r, g, b, a;
};

Rgba PixelAt(const Picture& picture, int x, int y) {
    int channels = picture.bitsPerPixel / 8;
    std::size_t at = (std::size_t(y) * picture.width + x) * channels;
    const auto& p = picture.pixels;
    return {p[at], p[at + 1], p[at + 2], channels == 4 ? p[at + 3] : 255};
}

struct Accepted {
    const char* name;
    std::function<Bytes()> bytes;
    int width, height, bitsPerPixel;
    Rgba topLeft;
    Rgba bottomRight;
};

PngSpec Png(int width, int height, int colourType, int bitDepth, Bytes rows) {
    PngSpec spec;
    spec.width = width;
    spec.height = height;
    spec.colourType = colourType;
    spec.bitDepth = bitDepth;
    spec.rows = std::move(rows);
    return spec;
}

DibSpec Dib(int width, int height, int bitCount, std::vector<std::uint32_t> pixels) {
    DibSpec spec;
    spec.width = width;
    spec.height = height;
    spec.bitCount = bitCount;
    spec.pixels = std::move(pixels);
    return spec;
}

// 2 x 2 pictures: top-left red, top-right green, bottom-left blue, bottom-right white.
const std::vector<std::uint32_t> Colours = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
const Rgba Red{255, 0, 0, 255};
const Rgba White{255, 255, 255, 255};

std::vector<Accepted> AcceptedPictures() {
    return {
        {"png grey 8",
         [] {
             return MakePng(Png(2, 2, PNG_COLOR_TYPE_GRAY, 8, {10, 20, 30, 40}));
         },
         2,
         2,
         24,
         {10, 10, 10, 255},
         {40, 40, 40, 255}},
        {"png grey 1 bit",
         [] {
             return MakePng(Png(2, 2, PNG_COLOR_TYPE_GRAY, 1, {0x40, 0x80}));
         },
         2,
         2,
         24,
         {0, 0, 0, 255},
         {0, 0, 0, 255}},
        {"png grey 16 bit stripped",
         [] {
             return MakePng(Png(1, 2, PNG_COLOR_TYPE_GRAY, 16, {0x12, 0x34, 0xAB, 0xCD}));
         },
         1,
         2,
         24,
         {0x12, 0x12, 0x12, 255},
         {0xAB, 0xAB, 0xAB, 255}},
        {"png grey with alpha",
         [] {
             return MakePng(Png(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {100, 50}));
         },
         1,
         1,
         32,
         {100, 100, 100, 50},
         {100, 100, 100, 50}},
        {"png grey with tRNS becomes alpha",
         [] {
             PngSpec spec = Png(2, 1, PNG_COLOR_TYPE_GRAY, 8, {7, 9});
             spec.transparentGrey = 7;
             return MakePng(spec);
         },
         2,
         1,
         32,
         {7, 7, 7, 0},
         {9, 9, 9, 255}},
        {"png rgb",
         [] {
             return MakePng(Png(2, 1, PNG_COLOR_TYPE_RGB, 8, {255, 0, 0, 255, 255, 255}));
         },
         2, 1, 24, Red, White},
        {"png rgb 16 bit",
         [] {
             return MakePng(Png(1, 1, PNG_COLOR_TYPE_RGB, 16, {1, 2, 3, 4, 5, 6}));
         },
         1,
         1,
         24,
         {1, 3, 5, 255},
         {1, 3, 5, 255}},
        {"png rgba",
         [] {
             return MakePng(Png(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {1, 2, 3, 4}));
         },
         1,
         1,
         32,
         {1, 2, 3, 4},
         {1, 2, 3, 4}},
        {"png palette",
         [] {
             PngSpec spec = Png(2, 1, PNG_COLOR_TYPE_PALETTE, 8, {1, 0});
             spec.palette = {0xFFFFFF, 0xFF0000};
             return MakePng(spec);
         },
         2, 1, 24, Red, White},
        {"png palette 4 bit with tRNS",
         [] {
             PngSpec spec = Png(2, 1, PNG_COLOR_TYPE_PALETTE, 4, {0x01});
             spec.palette = {0xFF0000, 0xFFFFFF};
             spec.paletteAlpha = {128};
             return MakePng(spec);
         },
         2,
         1,
         32,
         {255, 0, 0, 128},
         White},
        {"png interlaced",
         [] {
             PngSpec spec =
                 Png(2, 2, PNG_COLOR_TYPE_RGB, 8, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255});
             spec.interlaced = true;
             return MakePng(spec);
         },
         2, 2, 24, Red, White},
        {"bmp 24 bottom-up", [] { return MakeBmp(Dib(2, 2, 24, Colours)); }, 2, 2, 24, Red, White},
        {"bmp 24 top-down",
         [] {
             DibSpec spec = Dib(2, 2, 24, Colours);
             spec.topDown = true;
             return MakeBmp(spec);
         },
         2, 2, 24, Red, White},
        {"bmp 24 odd width padded rows",
         [] {
             return MakeBmp(Dib(3, 2, 24, {0xFF0000, 0, 0, 0, 0, 0xFFFFFF}));
         },
         3, 2, 24, Red, White},
        {"bmp 32 without alpha is opaque",
         [] {
             return MakeBmp(Dib(2, 2, 32, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));
         },
         2, 2, 24, Red, White},
        {"bmp 32 with alpha",
         [] {
             return MakeBmp(Dib(2, 1, 32, {0x80FF0000, 0x00FFFFFF}));
         },
         2,
         1,
         32,
         {255, 0, 0, 128},
         {255, 255, 255, 0}},
        {"bmp 8 bit palette",
         [] {
             DibSpec spec = Dib(2, 2, 8, {1, 0, 0, 2});
             spec.palette = {0x000000, 0xFF0000, 0xFFFFFF};
             return MakeBmp(spec);
         },
         2, 2, 24, Red, White},
        {"bmp 4 bit palette",
         [] {
             DibSpec spec = Dib(3, 1, 4, {1, 0, 2});
             spec.palette = {0x000000, 0xFF0000, 0xFFFFFF};
             return MakeBmp(spec);
         },
         3, 1, 24, Red, White},
        {"bmp 1 bit palette",
         [] {
             DibSpec spec = Dib(9, 1, 1, {1, 0, 0, 0, 0, 0, 0, 0, 0});
             spec.palette = {0xFFFFFF, 0xFF0000};
             return MakeBmp(spec);
         },
         9, 1, 24, Red, White},
        {"bmp index outside palette is black",
         [] {
             DibSpec spec = Dib(2, 1, 8, {1, 5});
             spec.palette = {0x000000, 0xFF0000};
             return MakeBmp(spec);
         },
         2,
         1,
         24,
         Red,
         {0, 0, 0, 255}},
        {"bmp 32 bit fields",
         [] {
             DibSpec spec = Dib(1, 1, 32, {0x00FF0000});
             spec.compression = 3;
             Bytes file = MakeBmp(spec);
             // Masks after the 40-byte header: blue, green, red swapped round.
             Bytes masks(12, 0);
             apptest::PutU32(masks, 0, 0x000000FF);
             apptest::PutU32(masks, 4, 0x0000FF00);
             apptest::PutU32(masks, 8, 0x00FF0000);
             file.insert(file.begin() + 54, masks.begin(), masks.end());
             apptest::PutU32(file, 10, 66);
             return file;
         },
         1,
         1,
         24,
         {0, 0, 255, 255},
         {0, 0, 255, 255}},
        {"ico 32 bit with alpha",
         [] {
             return MakeIcon({{1, 1, 32, MakeIconDib(Dib(1, 1, 32, {0x40FF0000}))}});
         },
         1,
         1,
         32,
         {255, 0, 0, 0x40},
         {255, 0, 0, 0x40}},
        {"ico 24 bit with AND mask",
         [] {
             DibSpec spec = Dib(2, 2, 24, Colours);
             spec.andMask = {false, false, false, true};
             return MakeIcon({{2, 2, 24, MakeIconDib(spec)}});
         },
         2,
         2,
         32,
         Red,
         {255, 255, 255, 0}},
        {"ico with embedded png",
         [] {
             Bytes png = MakePng(Png(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {9, 8, 7, 6}));
             return MakeIcon({{1, 1, 32, png}});
         },
         1,
         1,
         32,
         {9, 8, 7, 6},
         {9, 8, 7, 6}},
        {"ico picks the largest image",
         [] {
             Bytes small = MakeIconDib(Dib(1, 1, 32, {0xFF00FF00}));
             Bytes large = MakeIconDib(Dib(2, 2, 32, Colours));
             return MakeIcon({{1, 1, 32, small}, {2, 2, 32, large}, {1, 1, 32, small}});
         },
         2, 2, 32, Red, White},
        {"largest side accepted",
         [] { return MakeSimplePng(MaximumPictureSide, 1, false); },
         MaximumPictureSide,
         1,
         24,
         {0, 0, 0x80, 255},
         {255, 0, 0x80, 255}},
    };
}

TEST(AppPicture, DecodesEveryAcceptedVariant) {
    for (const Accepted& row : AcceptedPictures()) {
        SCOPED_TRACE(row.name);
        Bytes bytes = row.bytes();
        Picture picture;
        ASSERT_TRUE(DecodePicture(bytes.data(), bytes.size(), picture));
        EXPECT_EQ(picture.width, row.width);
        EXPECT_EQ(picture.height, row.height);
        EXPECT_EQ(picture.bitsPerPixel, row.bitsPerPixel);
        ASSERT_EQ(picture.pixels.size(),
                  std::size_t(row.width) * row.height * (row.bitsPerPixel / 8));
        Rgba first = PixelAt(picture, 0, 0);
        Rgba last = PixelAt(picture, row.width - 1, row.height - 1);
        EXPECT_EQ((std::vector<int>{first.r, first.g, first.b, first.a}),
                  (std::vector<int>{row.topLeft.r, row.topLeft.g, row.topLeft.b, row.topLeft.a}));
        EXPECT_EQ((std::vector<int>{last.r, last.g, last.b, last.a}),
                  (std::vector<int>{row.bottomRight.r, row.bottomRight.g, row.bottomRight.b,
                                    row.bottomRight.a}));
    }
}

// Sets the IHDR size of a PNG and recomputes the chunk's CRC, so only the size is wrong.
Bytes WithPngSize(Bytes png, std::uint32_t width, std::uint32_t height) {
    auto putBig = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) png[at + i] = std::uint8_t(value >> (24 - 8 * i));
    };
    putBig(16, width);
    putBig(20, height);
    std::uint32_t crc = std::uint32_t(crc32(0, png.data() + 12, 17));
    putBig(29, crc);
    return png;
}

Bytes Truncated(Bytes bytes, std::size_t keep) {
    bytes.resize(keep);
    return bytes;
}

struct Broken {
    const char* name;
    std::function<Bytes()> bytes;
};

std::vector<Broken> BrokenPictures() {
    Bytes png = MakeSimplePng(4, 4, false);
    Bytes bmp = MakeBmp(Dib(2, 2, 24, Colours));
    return {
        {"empty", [] { return Bytes(); }},
        {"text file", [] { return Bytes{'h', 'e', 'l', 'l', 'o', '\n'}; }},
        {"png signature only", [png] { return Truncated(png, 8); }},
        {"png cut in the pixel data", [png] { return Truncated(png, png.size() - 20); }},
        {"png with a damaged crc",
         [png] {
             Bytes damaged = png;
             damaged[30] ^= 0xFF;
             return damaged;
         }},
        {"png declaring 30000 x 30000", [png] { return WithPngSize(png, 30000, 30000); }},
        {"png one pixel too wide", [png] { return WithPngSize(png, MaximumPictureSide + 1, 4); }},
        {"png one pixel too high", [png] { return WithPngSize(png, 4, MaximumPictureSide + 1); }},
        {"bmp header only", [bmp] { return Truncated(bmp, 14); }},
        {"bmp cut in the pixel rows", [bmp] { return Truncated(bmp, bmp.size() - 1); }},
        {"bmp declaring 30000 x 30000",
         [bmp] {
             Bytes big = bmp;
             apptest::PutU32(big, 18, 30000);
             apptest::PutU32(big, 22, 30000);
             return big;
         }},
        {"bmp with the lowest height",
         [bmp] {
             Bytes big = bmp;
             apptest::PutU32(big, 22, 0x80000000u);
             return big;
         }},
        {"bmp zero width",
         [bmp] {
             Bytes zero = bmp;
             apptest::PutU32(zero, 18, 0);
             return zero;
         }},
        {"bmp run-length compressed",
         [bmp] {
             Bytes rle = bmp;
             apptest::PutU32(rle, 30, 1);
             return rle;
         }},
        {"bmp 16 bit", [] { return MakeBmp(Dib(1, 1, 16, {0})); }},
        {"bmp pixel offset past the end",
         [bmp] {
             Bytes far = bmp;
             apptest::PutU32(far, 10, 0xFFFFFFF0u);
             return far;
         }},
        {"bmp header size past the end",
         [bmp] {
             Bytes wrong = bmp;
             apptest::PutU32(wrong, 14, 0x7FFFFFFF);
             return wrong;
         }},
        {"ico directory cut",
         [] {
             return Truncated(MakeIcon({{1, 1, 32, MakeIconDib(Dib(1, 1, 32, {0}))}}), 10);
         }},
        {"ico image offset past the end",
         [] {
             Bytes icon = MakeIcon({{1, 1, 32, MakeIconDib(Dib(1, 1, 32, {0}))}});
             apptest::PutU32(icon, 18, 0x7FFFFFFF);
             return icon;
         }},
        {"ico without its AND mask",
         [] {
             Bytes dib = MakeIconDib(Dib(1, 1, 24, {0}));
             dib.resize(dib.size() - 4);
             return MakeIcon({{1, 1, 24, dib}});
         }},
        {"ico image declaring 30000 x 30000",
         [] {
             Bytes dib = MakeIconDib(Dib(1, 1, 32, {0}));
             apptest::PutU32(dib, 4, 30000);
             apptest::PutU32(dib, 8, 60000);
             return MakeIcon({{1, 1, 32, dib}});
         }},
        {"ico holding a truncated png",
         [png] {
             return MakeIcon({{4, 4, 32, Truncated(png, png.size() / 2)}});
         }},
        {"ico holding garbage",
         [] {
             return MakeIcon({{1, 1, 32, Bytes(64, 0xAB)}});
         }},
    };
}

TEST(AppPicture, RefusesBrokenTruncatedAndOversizedFiles) {
    for (const Broken& row : BrokenPictures()) {
        SCOPED_TRACE(row.name);
        Bytes bytes = row.bytes();
        Picture picture;
        picture.width = 7;  // must be reset
        EXPECT_FALSE(DecodePicture(bytes.data(), bytes.size(), picture));
        EXPECT_EQ(picture.width, 0);
        EXPECT_EQ(picture.bitsPerPixel, 0);
        EXPECT_TRUE(picture.pixels.empty());
    }
}

TEST(AppPicture, LoadsByContentNotByName) {
    test::TempWorkingDirectory directory;
    // A bitmap under a .png name, and a PNG under an .ico name.
    test::WriteFileBytes("picture.png", MakeBmp(Dib(2, 2, 24, Colours)));
    test::WriteFileBytes("picture.ico", apptest::MakeSimplePng(5, 3, true));
    Picture picture;
    ASSERT_TRUE(LoadPicture(u"picture.png", picture));
    EXPECT_EQ(picture.width, 2);
    EXPECT_EQ(picture.bitsPerPixel, 24);
    ASSERT_TRUE(LoadPicture(u"picture.ico", picture));
    EXPECT_EQ(picture.width, 5);
    EXPECT_EQ(picture.height, 3);
    EXPECT_EQ(picture.bitsPerPixel, 32);
}

TEST(AppPicture, MissingFileOrFolderIsNotLoaded) {
    test::TempWorkingDirectory directory;
    std::filesystem::create_directories("media/folder.png");
    Picture picture;
    EXPECT_FALSE(LoadPicture(u"media/none.png", picture));
    EXPECT_FALSE(LoadPicture(u"media/folder.png", picture));
    EXPECT_FALSE(LoadPicture(u"", picture));
    EXPECT_EQ(picture.bitsPerPixel, 0);
}

}  // namespace

namespace {

Picture Filled(int width, int height, int bits, std::function<Rgba(int, int)> colour) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.bitsPerPixel = bits;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba c = colour(x, y);
            picture.pixels.insert(picture.pixels.end(),
                                  {std::uint8_t(c.r), std::uint8_t(c.g), std::uint8_t(c.b)});
            if (bits == 32) picture.pixels.push_back(std::uint8_t(c.a));
        }
    }
    return picture;
}

bool Same(const Rgba& a, const Rgba& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

}  // namespace

TEST(AppPictureScale, SizesDepthsAndTheEdgeCases) {
    const Picture opaque = Filled(4, 2, 24, [](int x, int y) {
        return Rgba{x * 60, y * 100, 7, 255};
    });
    const Picture alpha = Filled(3, 3, 32, [](int x, int) { return Rgba{10, 20, 30, x * 100}; });
    struct Row {
        const char* name;
        const Picture* picture;
        int width, height;
        int expectedBits;  // 0: an empty picture
    };
    const Row rows[] = {
        {"one and a half times", &opaque, 6, 3, 24},
        {"twice, with alpha", &alpha, 6, 6, 32},
        {"half", &opaque, 2, 1, 24},
        {"wider only", &alpha, 7, 3, 32},
        {"to one pixel", &alpha, 1, 1, 32},
        {"zero width", &opaque, 0, 3, 0},
        {"negative height", &opaque, 3, -1, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Picture scaled = ScalePicture(*row.picture, row.width, row.height);
        EXPECT_EQ(scaled.bitsPerPixel, row.expectedBits);
        if (row.expectedBits == 0) {
            EXPECT_TRUE(scaled.pixels.empty());
            continue;
        }
        EXPECT_EQ(scaled.width, row.width);
        EXPECT_EQ(scaled.height, row.height);
        EXPECT_TRUE(IsUsablePicture(scaled));
        EXPECT_EQ(scaled.pixels.size(), std::size_t(row.width * row.height * row.expectedBits / 8));
    }
    Picture broken = opaque;
    broken.pixels.resize(5);
    EXPECT_EQ(ScalePicture(broken, 8, 4).bitsPerPixel, 0) << "too few pixels";
    const Picture copy = ScalePicture(opaque, 4, 2);
    EXPECT_EQ(copy.pixels, opaque.pixels) << "the same size is an exact copy";
}

TEST(AppPictureScale, ColoursAreMixedSmoothlyAndTransparencyLendsNoColour) {
    // A plain colour stays exactly that colour at every size.
    const Picture plain = Filled(5, 3, 32, [](int, int) { return Rgba{200, 60, 30, 255}; });
    for (const int size : {2, 7, 8, 13}) {
        SCOPED_TRACE(size);
        const Picture scaled = ScalePicture(plain, size, size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                ASSERT_TRUE(Same(PixelAt(scaled, x, y), Rgba{200, 60, 30, 255}));
    }

    // Left black, right white: enlarged, the edge becomes a ramp that only rises, with the
    // outer pixels unchanged; a nearest-pixel copy would jump from 0 to 255 at once.
    const Picture edge = Filled(2, 1, 24, [](int x, int) {
        return x == 0 ? Rgba{0, 0, 0, 255} : Rgba{255, 255, 255, 255};
    });
    const Picture ramp = ScalePicture(edge, 8, 1);
    EXPECT_EQ(PixelAt(ramp, 0, 0).r, 0);
    EXPECT_EQ(PixelAt(ramp, 7, 0).r, 255);
    int between = 0;
    for (int x = 1; x < 8; ++x) {
        EXPECT_GE(PixelAt(ramp, x, 0).r, PixelAt(ramp, x - 1, 0).r);
        const int value = PixelAt(ramp, x, 0).r;
        if (value > 0 && value < 255) ++between;
    }
    EXPECT_GE(between, 2);

    // Shrunk to half, each new pixel is the mean of the four it covers.
    const Picture checks = Filled(4, 4, 24, [](int x, int y) {
        return (x + y) % 2 == 0 ? Rgba{0, 100, 200, 255} : Rgba{200, 100, 0, 255};
    });
    const Picture mean = ScalePicture(checks, 2, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_TRUE(Same(PixelAt(mean, x, y), Rgba{100, 100, 100, 255}));

    // Red, fully transparent, beside opaque blue: the mix keeps the blue pure and only the
    // alpha falls off; the transparent red adds nothing.
    const Picture halfGone = Filled(2, 1, 32, [](int x, int) {
        return x == 0 ? Rgba{255, 0, 0, 0} : Rgba{0, 0, 255, 255};
    });
    const Picture mixed = ScalePicture(halfGone, 8, 1);
    EXPECT_EQ(PixelAt(mixed, 0, 0).a, 0);
    EXPECT_EQ(PixelAt(mixed, 7, 0).a, 255);
    for (int x = 0; x < 8; ++x) {
        const Rgba pixel = PixelAt(mixed, x, 0);
        if (pixel.a == 0) continue;
        EXPECT_EQ(pixel.r, 0) << "at " << x;
        EXPECT_EQ(pixel.b, 255) << "at " << x;
    }
    const Picture shrunk = ScalePicture(halfGone, 1, 1);
    EXPECT_TRUE(Same(PixelAt(shrunk, 0, 0), Rgba{0, 0, 255, 128}));
}
