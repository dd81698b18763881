// SPDX-License-Identifier: GPL-3.0-or-later
// The decoders behind DecodePicture, one per file kind; each leaves the picture empty when
// it fails. Shared by picture.cpp, picture_png.cpp and picture_bitmap.cpp only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/ui_services.h"

bool IsPngSignature(const std::uint8_t* data, std::size_t size);
bool DecodePng(const std::uint8_t* data, std::size_t size, Picture& picture);
bool DecodeBitmapFile(const std::uint8_t* data, std::size_t size, Picture& picture);
bool IsIconFile(const std::uint8_t* data, std::size_t size);
bool DecodeIconFile(const std::uint8_t* data, std::size_t size, Picture& picture);
bool PictureSizeAllowed(std::int64_t width, std::int64_t height);
