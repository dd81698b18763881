// SPDX-License-Identifier: GPL-3.0-or-later
// The picture decoder on arbitrary bytes (PNG, Windows bitmap and icon files): it either
// refuses the bytes and leaves an empty picture, or gives a picture within the size limit
// whose pixel bytes match its width, height and depth.
#include "app/picture.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartMemoryFiles();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Picture picture;
    picture.width = 9;  // stale content must not survive
    if (!DecodePicture(data, size, picture)) {
        FUZZ_CHECK(picture.width == 0 && picture.height == 0 && picture.bitsPerPixel == 0 &&
                       picture.pixels.empty(),
                   "a refused picture is empty");
        return 0;
    }
    FUZZ_CHECK(picture.width >= 1 && picture.width <= MaximumPictureSide, "width within the limit");
    FUZZ_CHECK(picture.height >= 1 && picture.height <= MaximumPictureSide,
               "height within the limit");
    FUZZ_CHECK(picture.bitsPerPixel == 24 || picture.bitsPerPixel == 32, "24 or 32 bits");
    FUZZ_CHECK(picture.pixels.size() == std::size_t(picture.width) * std::size_t(picture.height) *
                                            std::size_t(picture.bitsPerPixel / 8),
               "pixel bytes match the size");
    return 0;
}
