// SPDX-License-Identifier: GPL-3.0-or-later
// The one picture decoder of every back end: PNG, Windows bitmap and icon files, decided by
// the file's content; and the smooth resampling a back end uses to show a picture at another
// size (picture_scale.cpp). Showing the picture is left to the back end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/ui_services.h"

// Pictures wider or higher than this are refused before any pixel memory is taken.
inline constexpr int MaximumPictureSide = 4096;

// Reads and decodes the file; false (and an empty picture) when it is missing, unreadable,
// truncated, too large or not a picture of a known kind.
bool LoadPicture(const std::u16string& path, Picture& picture);
// The same decoding on bytes already in memory.
bool DecodePicture(const std::uint8_t* data, std::size_t size, Picture& picture);
// The picture at another size, of the same depth: each new pixel a weighted mean of the old
// pixels it covers (linear between pixel centres when enlarging, the covered area when
// shrinking), colours weighted by their alpha so that transparent pixels lend no colour. An
// unusable picture or a size below 1 gives an empty picture; the same size an exact copy.
Picture ScalePicture(const Picture& picture, int width, int height);
